#include "explorer/ExplorerToolbar_win.h"

#include "base/Lang.h"
#include "gui/Dpi.h"

#include <algorithm>

using namespace explorer_toolbar;

const wchar_t* ExplorerToolbar::tooltipKey(int id)
{
    switch (id) {
    case Back: return L"quillet/explorer/back";
    case Forward: return L"quillet/explorer/forward";
    case ShowHideFolders: return L"quillet/explorer/show-hide-folders";
    case Delete: return L"quillet/explorer/delete";
    case Up: return L"quillet/explorer/up";
    case Cut: return L"quillet/explorer/cut";
    case Copy: return L"quillet/explorer/copy";
    case Paste: return L"quillet/explorer/paste";
    case Views: return L"quillet/explorer/views";
    case ShowAllFiles: return L"quillet/explorer/views/show-all-files";
    case ShowOnlyPdf: return L"quillet/explorer/views/show-only-pdf";
    case ListMode: return L"quillet/explorer/views/list";
    case SymbolsMode: return L"quillet/explorer/views/symbols";
    case PreviewMode: return L"quillet/explorer/views/preview";
    default: return L"";
    }
}

bool ExplorerToolbar::create(HWND parent, HINSTANCE instance)
{
    if (!BaseToolbar::create(parent, kPlacedFlatStyle, kControlId, instance))
        return false;
    send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    const int dpi = dpiOf(parent);
    m_images.apply(*this, instance, kImageStrip, kImageSize, dpi);
    struct Entry {
        int id;
        int image;
        BYTE style;
    };
    const Entry entries[] = {
        {Back, BackPicture, BTNS_BUTTON},
        {Forward, ForwardPicture, BTNS_BUTTON},
        {0, 0, BTNS_SEP},
        {ShowHideFolders, FoldersPicture, BTNS_CHECK},
        {Up, UpPicture, BTNS_BUTTON},
        {0, 0, BTNS_SEP},
        {Cut, CutPicture, BTNS_BUTTON},
        {Copy, CopyPicture, BTNS_BUTTON},
        {Paste, PastePicture, BTNS_BUTTON},
        {Delete, DeletePicture, BTNS_BUTTON},
        {0, 0, BTNS_SEP},
        {Views, ViewsPicture, BTNS_WHOLEDROPDOWN},
    };
    for (const Entry& entry : entries) {
        TBBUTTON button = {};
        button.idCommand = entry.id;
        // A separator's width is its image field.
        button.iBitmap = entry.style == BTNS_SEP ? scale(8, dpi) : entry.image;
        button.fsStyle = entry.style;
        button.fsState = TBSTATE_ENABLED;
        // Without BTNS_SHOWTEXT the text is the button's tooltip.
        button.iString = entry.id != 0 ? addString(lang_getStr(tooltipKey(entry.id))) : -1;
        addButtons(&button, 1);
    }
    autoSize();
    return true;
}

int ExplorerToolbar::showViewsMenu(int viewMode, bool filtered) const
{
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return 0;
    auto add = [&](int id, bool greyed) {
        AppendMenuW(menu, MF_STRING | (greyed ? MF_GRAYED : MF_ENABLED), static_cast<UINT_PTR>(id),
                    lang_getStr(tooltipKey(id)).c_str());
    };
    add(ShowAllFiles, !filtered);
    add(ShowOnlyPdf, filtered);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(ListMode, viewMode == 0);
    add(SymbolsMode, viewMode == 1);
    add(PreviewMode, viewMode == 2);
    RECT button = {};
    send(TB_GETRECT, Views, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&button), 2);
    const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                       button.left, button.bottom, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    return chosen;
}

void ExplorerToolbar::setFoldersChecked(bool checked) const
{
    send(TB_CHECKBUTTON, ShowHideFolders, MAKELPARAM(checked ? TRUE : FALSE, 0));
}

int ExplorerToolbar::height() const
{
    SIZE size = {};
    send(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    const DWORD buttonSize = static_cast<DWORD>(send(TB_GETBUTTONSIZE));
    return std::max<int>(size.cy, HIWORD(buttonSize));
}
