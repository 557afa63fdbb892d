#include "explorer/ExplorerToolbar_win.h"

#include "base/Lang.h"

#include <algorithm>

using namespace explorer_toolbar;

namespace {

// Positions of the pictures after the three standard strips are loaded.
const int kStandardStrip = 0; // STD_*
const int kViewStrip = 15;    // VIEW_*
const int kHistoryStrip = 27; // HIST_*

} // namespace

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
    if (!BaseToolbar::create(parent,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                                 CCS_NOPARENTALIGN,
                             kControlId, instance))
        return false;
    send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    send(TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    send(TB_LOADIMAGES, IDB_VIEW_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    send(TB_LOADIMAGES, IDB_HIST_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    struct Entry {
        int id;
        int image;
        BYTE style;
    };
    const Entry entries[] = {
        {Back, kHistoryStrip + HIST_BACK, BTNS_BUTTON},
        {Forward, kHistoryStrip + HIST_FORWARD, BTNS_BUTTON},
        {0, 0, BTNS_SEP},
        {ShowHideFolders, kViewStrip + VIEW_NETCONNECT, BTNS_CHECK},
        {Up, kViewStrip + VIEW_PARENTFOLDER, BTNS_BUTTON},
        {0, 0, BTNS_SEP},
        {Cut, kStandardStrip + STD_CUT, BTNS_BUTTON},
        {Copy, kStandardStrip + STD_COPY, BTNS_BUTTON},
        {Paste, kStandardStrip + STD_PASTE, BTNS_BUTTON},
        {Delete, kStandardStrip + STD_DELETE, BTNS_BUTTON},
        {0, 0, BTNS_SEP},
        {Views, kViewStrip + VIEW_LIST, BTNS_WHOLEDROPDOWN},
    };
    for (const Entry& entry : entries) {
        TBBUTTON button = {};
        button.idCommand = entry.id;
        button.iBitmap = entry.image;
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
