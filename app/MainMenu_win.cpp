#include "app/MainMenu.h"

#include "base/Lang.h"
#include "env/Features.h"
#include "gui/Dpi.h"

namespace {

struct MenuText {
    UINT id;
    const wchar_t* key;
};

const MenuText kMenuTexts[] = {
    {menu::File, L"quillet/menu/file"},
    {menu::New, L"quillet/menu/file/new"},
    {menu::Open, L"quillet/menu/file/open"},
    {menu::Import, L"quillet/menu/file/import"},
    {menu::ImportTwain, L"quillet/menu/file/import/twain"},
    {menu::ImportFile, L"quillet/menu/file/import/file"},
    {menu::Save, L"quillet/menu/file/save"},
    {menu::SaveAs, L"quillet/menu/file/save-as"},
    {menu::Close, L"quillet/menu/file/close"},
    {menu::Edit, L"quillet/menu/edit"},
    {menu::EditExplorer, L"quillet/menu/edit/explorer"},
    {menu::Copy, L"quillet/menu/edit/explorer/copy"},
    {menu::Cut, L"quillet/menu/edit/explorer/cut"},
    {menu::Paste, L"quillet/menu/edit/explorer/paste"},
    {menu::Delete, L"quillet/menu/edit/explorer/delete"},
    {menu::SelectAll, L"quillet/menu/edit/explorer/select-all"},
    {menu::View, L"quillet/menu/view"},
    {menu::ViewExplorer, L"quillet/menu/view/explorer"},
    {menu::ShowExplorer, L"quillet/menu/view/explorer/show"},
    {menu::ShowFolders, L"quillet/menu/view/explorer/show-folders"},
    {menu::ShowAllFiles, L"quillet/menu/view/explorer/show-all-files"},
    {menu::ShowOnlyPdf, L"quillet/menu/view/explorer/show-only-pdf"},
    {menu::Layout, L"quillet/menu/view/layout"},
    {menu::Horizontal, L"quillet/menu/view/layout/horizontal"},
    {menu::Vertical, L"quillet/menu/view/layout/vertical"},
    {menu::Jobs, L"quillet/menu/view/jobs"},
    {menu::Tools, L"quillet/menu/tools"},
    {menu::DocumentToPdf, L"quillet/menu/tools/document-to-pdf"},
    {menu::ExtractPages, L"quillet/menu/tools/extract-pdf-pages"},
    {menu::SelfSignedCertificate, L"quillet/menu/tools/create-self-signed-certificate"},
    {menu::ManageCertificates, L"quillet/menu/tools/manage-certificates"},
    {menu::Preferences, L"quillet/menu/tools/preferences"},
    {menu::SaveProfiles, L"quillet/menu/tools/save-profiles"},
    {menu::Help, L"quillet/menu/help"},
    {menu::CheckForUpdates, L"quillet/menu/help/check-for-updates"},
    {menu::Online, L"quillet/menu/help/online"},
    {menu::Homepage, L"quillet/menu/help/online/homepage"},
    {menu::ReleaseNotes, L"quillet/menu/help/online/release-notes"},
    {menu::UpdatePage, L"quillet/menu/help/online/update-page"},
    {menu::About, L"quillet/menu/help/about"},
};

const UINT kMenuResource = 1777;

// Every item's text, by its id, from the catalogue; submenus too.
void applyTexts(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR) != 0)
            continue;
        if (const wchar_t* key = menuTextKey(info.wID)) {
            const ZString text = lang_getStr(key);
            MENUITEMINFOW change = {};
            change.cbSize = sizeof change;
            change.fMask = MIIM_STRING;
            change.dwTypeData = const_cast<wchar_t*>(text.c_str());
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
        }
        if (info.hSubMenu != nullptr)
            applyTexts(info.hSubMenu);
    }
}

} // namespace

const wchar_t* menuTextKey(UINT id)
{
    for (const MenuText& entry : kMenuTexts)
        if (entry.id == id)
            return entry.key;
    return nullptr;
}

MainMenu::~MainMenu()
{
    if (m_menu != nullptr && IsMenu(m_menu))
        DestroyMenu(m_menu); // a menu set on a window went with the window already
    if (m_font != nullptr)
        DeleteObject(m_font);
}

HMENU MainMenu::load(HINSTANCE module)
{
    m_menu = LoadMenuW(module, MAKEINTRESOURCEW(kMenuResource));
    if (m_menu == nullptr)
        return nullptr;
    applyTexts(m_menu);
    const int count = GetMenuItemCount(m_menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(m_menu, static_cast<UINT>(i), TRUE, &info);
        info.fType |= MFT_OWNERDRAW;
        SetMenuItemInfoW(m_menu, static_cast<UINT>(i), TRUE, &info);
    }
    // The space beside the last item takes the items' white.
    MENUINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = MIM_BACKGROUND;
    bar.hbrBack = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    SetMenuInfo(m_menu, &bar);

    DeleteMenu(m_menu, menu::SaveAs, MF_BYCOMMAND);
    if (!isFeatureOn(L"twainImport"))
        DeleteMenu(m_menu, menu::ImportTwain, MF_BYCOMMAND);
    return m_menu;
}

ZString MainMenu::itemText(UINT id)
{
    const wchar_t* key = menuTextKey(id);
    return key != nullptr ? lang_getStr(key) : ZString();
}

HFONT MainMenu::font(HWND window)
{
    if (m_font == nullptr) {
        LOGFONTW lf = {};
        lf.lfHeight = -(8 * dpiOf(window) / 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        wcscpy_s(lf.lfFaceName, LF_FACESIZE, L"Arial");
        m_font = CreateFontIndirectW(&lf);
    }
    return m_font;
}

void MainMenu::measureItem(HWND window, MEASUREITEMSTRUCT& item)
{
    const ZString text = itemText(item.itemID);
    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font(window));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), text.length(), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    item.itemWidth = static_cast<UINT>(size.cx + 10);
    item.itemHeight = static_cast<UINT>(size.cy + 4);
}

void MainMenu::drawItem(const DRAWITEMSTRUCT& item)
{
    COLORREF background = 0xFFFFFF;
    if (item.itemState & ODS_SELECTED)
        background = 0xD2D2D2;
    else if (item.itemState & ODS_HOTLIGHT)
        background = 0xE6E6E6;
    SetBkColor(item.hDC, background);
    ExtTextOutW(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
    const HGDIOBJ old = SelectObject(item.hDC, font(nullptr)); // made when the items were measured
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_GRAYED) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    RECT r = item.rcItem;
    const ZString text = itemText(item.itemID);
    DrawTextW(item.hDC, text.c_str(), text.length(), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, old);
}

bool MainMenu::holdsItem(HMENU popup, UINT id)
{
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info) && info.wID == id)
            return true;
    }
    return false;
}

HMENU MainMenu::submenu(HMENU popup, UINT id)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU;
    return GetMenuItemInfoW(popup, id, FALSE, &info) ? info.hSubMenu : nullptr;
}

void MainMenu::setItemText(HMENU menu, UINT id, const ZString& text)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, id, FALSE, &info);
}

void MainMenu::enableItem(HMENU menu, UINT id, bool enabled)
{
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainMenu::checkItem(HMENU menu, UINT id, bool checked)
{
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
