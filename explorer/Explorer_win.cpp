#include "explorer/Explorer_win.h"

#include "base/Settings.h"
#include "explorer/FileClipboard_win.h"
#include "gui/Dpi.h"

#include <shlobj.h>

#include <algorithm>

using namespace explorer_toolbar;

namespace {

const wchar_t* const kPaneClass = L"Tamlo_Explorer";

ZString personalFolder()
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
        return ZString();
    return path;
}

ZString parentOf(const ZString& folder)
{
    ZString path = folder;
    if (path.length() > 3 && path.endsWith(L'\\'))
        path.truncate(path.length() - 1);
    const int slash = path.findLastChar(L'\\');
    if (slash < 0)
        return ZString();
    if (slash == 2 && path.getAt(1) == L':')
        return path.substring(0, 2); // "C:\"
    return path.substring(0, slash - 1);
}

} // namespace

bool ExplorerPath::create(HWND parent, HINSTANCE instance)
{
    return BaseWindow::create(WS_EX_CLIENTEDGE, L"STATIC", nullptr,
                              WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0, 0, 0,
                              0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), instance);
}

LRESULT ExplSplitter::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && notify) {
        LRESULT result = 0;
        if (notify(reinterpret_cast<NMHDR*>(lParam), result))
            return result;
    }
    return BaseSplitter::windowProcedure(message, wParam, lParam);
}

Explorer::Explorer() : m_list(m_history) {}

Explorer::~Explorer()
{
    if (hwnd() != nullptr && IsWindow(hwnd())) {
        HWND window = hwnd();
        storeLastFolder();
        m_list.shutDown();
        tree().shutDown();
        DestroyWindow(window);
    }
}

bool Explorer::create(HWND parent, HINSTANCE instance, std::function<void(const ZString&)> openFile)
{
    if (!registerClass(kPaneClass, instance, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                       GetSysColorBrush(COLOR_BTNFACE)))
        return false;
    if (!BaseWindow::create(WS_EX_CONTROLPARENT, kPaneClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                            0, 0, parent, nullptr, instance))
        return false;
    if (!m_path.create(hwnd(), instance) || !m_toolbar.create(hwnd(), instance) ||
        !m_splitter.create(hwnd(), 0, 0, 0, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, instance) ||
        !m_treePane.create(m_splitter.hwnd(), instance) || !m_list.create(m_splitter.hwnd(), instance))
        return false;
    m_splitter.setFirst(m_treePane.hwnd());
    m_splitter.setSecond(m_list.hwnd());
    m_splitter.setRatio(0.35);
    m_splitter.notify = [this](NMHDR* header, LRESULT& result) { return m_list.handleNotify(header, result); };

    m_list.openFile = std::move(openFile);
    m_list.navigated = [this] { onNavigated(); };
    m_list.selectionChanged = [this] { updateToolbar(); };
    m_list.foldersChanged = [this] { tree().refresh(); };
    tree().folderSelected = [this](const ZString& folder) { m_list.navigate(folder, true); };
    tree().shownFolder = [this] { return m_list.folder(); };
    tree().filesArrived = [this](const ZString& folder) {
        if (folder.equalsIgnoreCase(m_list.folder()))
            m_list.reload();
    };
    m_treePane.head().hideFolders = [this] { setFoldersShown(false); };

    setFoldersShown(true);
    ZString start = userConfig_getStr(L"ExplorerLastDir", ZString());
    start.trim();
    if (start.isEmpty() || !isFolderPath(start))
        start = personalFolder();
    m_list.navigate(start, false);
    updateToolbar();
    return true;
}

bool Explorer::isFolderPath(const ZString& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Explorer::storeLastFolder() const
{
    if (!m_list.folder().isEmpty())
        userConfig_setStr(L"ExplorerLastDir", m_list.folder());
}

void Explorer::back()
{
    const ZString folder = m_history.back();
    if (!folder.isEmpty())
        m_list.navigate(folder, false, false);
}

void Explorer::forward()
{
    const ZString folder = m_history.forward();
    if (!folder.isEmpty())
        m_list.navigate(folder, false, false);
}

void Explorer::up()
{
    const ZString parent = parentOf(m_list.folder());
    if (!parent.isEmpty())
        m_list.navigate(parent, true);
}

void Explorer::setFoldersShown(bool shown)
{
    m_foldersShown = shown;
    m_splitter.setFirst(shown ? m_treePane.hwnd() : nullptr);
    m_treePane.show(shown ? SW_SHOW : SW_HIDE);
    m_toolbar.setFoldersChecked(shown);
    m_splitter.layout();
}

void Explorer::runToolbarCommand(int id)
{
    using namespace explorer_list;
    switch (id) {
    case Back: back(); break;
    case Forward: forward(); break;
    case ShowHideFolders: setFoldersShown(!m_foldersShown); break;
    case explorer_toolbar::Delete: m_list.runCommand(explorer_list::Delete); break;
    case Up: up(); break;
    case explorer_toolbar::Cut: m_list.runCommand(explorer_list::Cut); break;
    case explorer_toolbar::Copy: m_list.runCommand(explorer_list::Copy); break;
    case explorer_toolbar::Paste: m_list.runCommand(explorer_list::Paste); break;
    case Views:
        if (const int chosen = m_toolbar.showViewsMenu(m_list.viewMode(), pdfOnly()))
            runToolbarCommand(chosen);
        break;
    case explorer_toolbar::ShowAllFiles: m_list.runCommand(explorer_list::ShowAllFiles); break;
    case explorer_toolbar::ShowOnlyPdf: m_list.runCommand(explorer_list::ShowOnlyPdf); break;
    case ListMode: m_list.setViewMode(0); break;
    case SymbolsMode: m_list.setViewMode(1); break;
    case PreviewMode: m_list.setViewMode(2); break;
    default: break;
    }
    updateToolbar();
}

void Explorer::updateToolbar()
{
    const bool selection = m_list.hasSelection();
    m_toolbar.enableButton(Back, m_history.canGoBack());
    m_toolbar.enableButton(Forward, m_history.canGoForward());
    m_toolbar.enableButton(Up, !parentOf(m_list.folder()).isEmpty());
    m_toolbar.enableButton(explorer_toolbar::Delete, selection);
    m_toolbar.enableButton(explorer_toolbar::Cut, selection);
    m_toolbar.enableButton(explorer_toolbar::Copy, selection);
    m_toolbar.enableButton(explorer_toolbar::Paste, ole::clipboardHasFiles());
    m_toolbar.setFoldersChecked(m_foldersShown);
}

void Explorer::onNavigated()
{
    m_path.setPath(m_list.folder());
    updateToolbar();
    tree().selectFolder(m_list.folder());
}

int Explorer::headerHeight() const
{
    // The path and the toolbar's band, 46 pixels at 96 dpi in all: as high as
    // the job list's toolbar beside it, so that both panes start level.
    const int dpi = dpiOf(hwnd());
    return scale(22, dpi) + std::max(m_toolbar.height(), scale(24, dpi));
}

void Explorer::layout()
{
    const RECT r = clientRect();
    const int dpi = dpiOf(hwnd());
    const int pathHeight = scale(22, dpi);
    const int header = headerHeight();
    m_path.move(0, 0, r.right, pathHeight);
    // The toolbar's buttons centred in the band under the path.
    const int band = header - pathHeight;
    const int bar = std::min(band, m_toolbar.height());
    m_toolbar.move(0, pathHeight + (band - bar) / 2, r.right, bar);
    m_splitter.move(0, header, r.right, std::max(0, static_cast<int>(r.bottom) - header));
}

LRESULT Explorer::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETFONT:
        m_path.send(WM_SETFONT, wParam, lParam);
        m_list.send(WM_SETFONT, wParam, lParam);
        m_treePane.send(WM_SETFONT, wParam, lParam);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_toolbar.hwnd()) {
            runToolbarCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == m_toolbar.hwnd() && header->code == TBN_DROPDOWN) {
            runToolbarCommand(Views);
            return TBDDRET_DEFAULT;
        }
        break;
    }
    case WM_DESTROY:
        storeLastFolder();
        break;
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}
