#include "explorer/ExplorerList_win.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Settings.h"
#include "env/Companions.h"
#include "env/Environment.h"
#include "explorer/ExplorerDataObjects_win.h"
#include "explorer/FileClipboard_win.h"
#include "explorer/FileDrag_win.h"
#include "explorer/FileIcons_win.h"
#include "explorer/NameRules.h"
#include "explorer/NavigationHistory.h"
#include "explorer/ShellFileOperation_win.h"
#include "explorer/Thumbnails_win.h"
#include "gui/Dpi.h"
#include "gui/Messages.h"

#include <shellapi.h>

#include <algorithm>

using namespace explorer_list;

namespace {

const UINT kReloadMessage = WM_APP + 161;

ZString joinPath(const ZString& folder, const ZString& name)
{
    return folder.endsWith(L'\\') ? folder + name : folder + L"\\" + name;
}

// The shell's file operation with the watcher paused around it.
class WatcherPause {
public:
    explicit WatcherPause(DirectoryWatcher& watcher) : m_watcher(watcher) { m_watcher.pause(true); }
    ~WatcherPause() { m_watcher.pause(false); }

private:
    DirectoryWatcher& m_watcher;
};

bool shellDelete(HWND owner, const std::vector<ZString>& paths)
{
    std::wstring from;
    for (const ZString& path : paths) {
        from.append(path.view());
        from.push_back(L'\0');
    }
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_RENAMEONCOLLISION | FOF_NOCONFIRMMKDIR;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

void appendItem(HMENU menu, UINT id, const wchar_t* key, bool enabled)
{
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, lang_getStr(key).c_str());
}

} // namespace

ExplorerList::ExplorerList(NavigationHistory& history) : m_history(history), m_watcher(*this) {}

ExplorerList::~ExplorerList()
{
    shutDown();
    if (m_thumbnails != nullptr)
        ImageList_Destroy(m_thumbnails);
}

bool ExplorerList::create(HWND parent, HINSTANCE instance)
{
    m_filter = ExtensionFilter::parse(userConfig_getStr(L"ExplorerListFilter", ZString()));
    m_viewMode = std::clamp(static_cast<int>(userConfig_getDword(L"ExplorerListViewMode", 0)), 0, 2);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_EDITLABELS |
                        LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_LIST;
    if (!BaseWindow::create(0, WC_LISTVIEWW, nullptr, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), instance))
        return false;
    // No LVS_EX_DOUBLEBUFFER: Wine then leaves the part below the last row
    // unpainted (a black strip), and items repaint one by one anyway.
    send(LVM_SETCALLBACKMASK, LVIS_CUT);
    send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(systemImageList(IconSize::Small)));
    m_icons = std::make_unique<FileIconProducer>(hwnd());
    applyViewMode();
    DragAcceptFiles(hwnd(), TRUE);
    m_dropTarget = ole::ComPtr<ole::ListDropTarget>(new ole::ListDropTarget(*this));
    RegisterDragDrop(hwnd(), m_dropTarget.get());
    return m_watcher.start();
}

void ExplorerList::shutDown()
{
    m_watcher.stop();
    if (m_dropTarget) {
        if (hwnd() != nullptr)
            RevokeDragDrop(hwnd());
        m_dropTarget->detach();
        m_dropTarget.reset();
    }
    m_thumbnailMaker.reset();
    m_icons.reset();
}

void ExplorerList::applyViewMode()
{
    const int dpi = dpiOf(hwnd());
    LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_TYPEMASK);
    style |= m_viewMode == ListView ? LVS_LIST : LVS_ICON;
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
    if (m_viewMode == Preview) {
        setThumbnailList();
        send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_thumbnails));
        send(LVM_SETICONSPACING, 0, MAKELPARAM(scale(138, dpi), scale(158, dpi)));
    } else {
        send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(systemImageList(IconSize::Large)));
        // The default spacing: -1 as a whole (MAKELPARAM(-1, -1) is 0xFFFFFFFF
        // without sign on 64-bit, which Wine takes for 65535 by 65535).
        send(LVM_SETICONSPACING, 0, static_cast<LPARAM>(-1));
    }
}

void ExplorerList::setThumbnailList()
{
    m_thumbnailMaker.reset();
    if (m_thumbnails != nullptr)
        ImageList_Destroy(m_thumbnails);
    const int side = thumbnailSide(dpiOf(hwnd()));
    m_thumbnails = ImageList_Create(side, side, ILC_COLOR32, 64, 64);
    m_thumbnailMaker = std::make_unique<FileThumbnails>(*this, hwnd(), m_thumbnails, side);
}

void ExplorerList::fitListColumn() const
{
    if (m_viewMode != ListView || hwnd() == nullptr)
        return;
    HDC dc = GetDC(hwnd());
    if (dc == nullptr)
        return;
    const HFONT font = reinterpret_cast<HFONT>(send(WM_GETFONT));
    const HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    for (const ExplorerItem& item : m_items) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, item.displayName.c_str(), item.displayName.length(), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    int iconWidth = 0, iconHeight = 0;
    ImageList_GetIconSize(systemImageList(IconSize::Small), &iconWidth, &iconHeight);
    send(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(widest + iconWidth + scale(12, dpiOf(hwnd())), 0));
}

void ExplorerList::navigate(const ZString& path, bool onlyIfChanged, bool pushHistory)
{
    if (m_busy || path.isEmpty() || !isFolder(path))
        return;
    if (onlyIfChanged && path.equalsIgnoreCase(m_folder))
        return;
    m_busy = true;
    const HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    send(WM_SETREDRAW, FALSE);
    m_folder = path;
    m_watcher.setFolder(path);
    if (m_thumbnailMaker)
        m_thumbnailMaker->cancel();
    if (m_icons)
        m_icons->cancel();
    if (m_editedItem >= 0)
        send(LVM_CANCELEDITLABEL);
    m_items.clear();
    send(LVM_SETITEMCOUNT, 0);
    enumerate();
    sortExplorerItems(m_items);
    m_cut.assign(m_items.size(), false);
    send(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_items.size()), 0);
    fitListColumn();
    LVITEMW none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none)); // nothing selected
    send(WM_SETREDRAW, TRUE);
    invalidate(true);
    SetCursor(cursor);
    m_busy = false;
    if (pushHistory)
        m_history.push(path);
    if (navigated)
        navigated();
}

void ExplorerList::reload()
{
    if (!m_folder.isEmpty())
        navigate(m_folder, false, false);
}

void ExplorerList::resort()
{
    sortExplorerItems(m_items);
    m_cut.assign(m_items.size(), false);
    invalidate();
}

void ExplorerList::enumerate()
{
    m_folderCount = m_fileCount = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(joinPath(m_folder, L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return; // an empty list
    do {
        const wchar_t* name = found.cFileName;
        if (wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0)
            continue;
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
            continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            m_items.push_back(makeExplorerItem(name, true));
            ++m_folderCount;
        } else if (m_filter.accepts(name)) {
            m_items.push_back(makeExplorerItem(name, false));
            ++m_fileCount;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

ZString ExplorerList::pathOf(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_items.size())
        return ZString();
    return joinPath(m_folder, m_items[static_cast<size_t>(index)].name);
}

void ExplorerList::setFilter(const ExtensionFilter& filter)
{
    m_filter = filter;
    saveFilter();
    reload();
    if (navigated)
        navigated();
}

void ExplorerList::saveFilter() const { userConfig_setStr(L"ExplorerListFilter", m_filter.text()); }

void ExplorerList::setViewMode(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    m_viewMode = mode;
    userConfig_setDword(L"ExplorerListViewMode", static_cast<uint32_t>(mode));
    applyViewMode();
    reload();
}

std::vector<int> ExplorerList::selectedIndexes() const
{
    std::vector<int> out;
    int index = -1;
    while ((index = static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0)
        out.push_back(index);
    return out;
}

std::vector<ZString> ExplorerList::selectedPaths() const
{
    std::vector<ZString> out;
    for (int index : selectedIndexes())
        out.push_back(pathOf(index));
    return out;
}

bool ExplorerList::hasSelection() const { return send(LVM_GETSELECTEDCOUNT) > 0; }

void ExplorerList::selectAll()
{
    LVITEMW state = {};
    state.stateMask = state.state = LVIS_SELECTED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

void ExplorerList::select(int index)
{
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void ExplorerList::openItem(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_items.size())
        return;
    ZString path = pathOf(index);
    if (m_items[static_cast<size_t>(index)].isFolder()) {
        navigate(path, true);
        return;
    }
    if (fileExtension(path).equalsIgnoreCase(L"lnk")) {
        const ZString target = resolveShortcut(path);
        if (!target.isEmpty())
            path = target;
    }
    if (isFolder(path))
        navigate(path, true);
    else if (openFile)
        openFile(path);
}

bool ExplorerList::isCommandEnabled(UINT id) const
{
    const int focused = static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    const bool file = focused >= 0 && static_cast<size_t>(focused) < m_items.size() &&
                      m_items[static_cast<size_t>(focused)].isFile();
    switch (id) {
    case Refresh:
    case NewFolder:
    case FolderProperties:
        return !m_folder.isEmpty();
    case Paste:
        return !m_folder.isEmpty() && ole::clipboardHasFiles();
    case ShowOnlyPdf:
        return m_filter.isEmpty();
    case ShowAllFiles:
        return !m_filter.isEmpty();
    case PrintToPdf:
    case Archive:
        return file;
    case ExtractPages:
        return file && fileExtension(m_items[static_cast<size_t>(focused)].name).equalsIgnoreCase(L"pdf");
    case Copy:
    case Cut:
    case Delete:
        return hasSelection();
    default:
        return true;
    }
}

void ExplorerList::runCommand(UINT id)
{
    const int focused = static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    switch (id) {
    case Refresh:
        reload();
        break;
    case Paste:
        paste();
        break;
    case NewFolder:
        createNewFolder();
        break;
    case FolderProperties:
        showProperties(m_folder);
        break;
    case ShowOnlyPdf: {
        ExtensionFilter filter = m_filter;
        filter.add(L"pdf");
        setFilter(filter);
        break;
    }
    case ShowAllFiles:
        setFilter(ExtensionFilter());
        break;
    case SelectAll:
        selectAll();
        break;
    case Copy:
    case Cut:
        clipboardCommand(id == Cut);
        break;
    case Rename:
        if (focused >= 0) {
            SetFocus(hwnd());
            send(LVM_EDITLABELW, static_cast<WPARAM>(focused));
        }
        break;
    case Delete:
        deleteSelected();
        break;
    case ItemProperties:
        if (focused >= 0)
            showProperties(pathOf(focused));
        break;
    case PrintToPdf:
        for (const ZString& path : selectedPaths())
            if (isFile(path) && openFile)
                openFile(path);
        break;
    case Archive:
        archiveSelected();
        break;
    case ExtractPages:
        if (isCommandEnabled(ExtractPages))
            extractPages(pathOf(focused));
        break;
    default:
        break;
    }
}

int ExplorerList::createNewFolder()
{
    if (m_folder.isEmpty())
        return -1;
    const ZString name = freeFolderName(lang_getStr(L"quillet/explorer/list/~name-for-new-folder"),
                                        [this](const ZString& n) { return pathExists(joinPath(m_folder, n)); });
    m_watcher.ignoreNextChange();
    if (!CreateDirectoryW(joinPath(m_folder, name).c_str(), nullptr))
        return -1;
    const ExplorerItem item = makeExplorerItem(name, true);
    const auto at = std::upper_bound(m_items.begin(), m_items.end(), item, explorerItemLess);
    const int index = static_cast<int>(at - m_items.begin());
    m_items.insert(at, item);
    m_cut.insert(m_cut.begin() + index, false);
    ++m_folderCount;
    send(LVM_SETITEMCOUNT, static_cast<WPARAM>(m_items.size()), LVSICF_NOSCROLL);
    fitListColumn();
    if (foldersChanged)
        foldersChanged();
    select(index);
    SetFocus(hwnd());
    send(LVM_EDITLABELW, static_cast<WPARAM>(index));
    return index;
}

void ExplorerList::finishRename(int index, const ZString& text)
{
    if (index < 0 || static_cast<size_t>(index) >= m_items.size())
        return;
    ExplorerItem& item = m_items[static_cast<size_t>(index)];
    ZString newName = text;
    switch (judgeRename(item.name, newName, item.isFile())) {
    case RenameVerdict::KeepName:
        return;
    case RenameVerdict::CharactersNotAllowed:
        showCharactersNotAllowed(kInvalidNameCharacters);
        return;
    case RenameVerdict::ExtensionChanged:
        showError(lang_getStr(L"quillet/explorer/list/~note-change-causes-losing-format"));
        return;
    case RenameVerdict::Rename:
        break;
    }
    m_watcher.ignoreNextChange();
    if (!MoveFileW(pathOf(index).c_str(), joinPath(m_folder, newName).c_str()))
        return; // the old name stays
    item.rename(newName);
    item.flags &= ~static_cast<uint32_t>(ExplorerItem::IconDelivered | ExplorerItem::ThumbnailDelivered);
    fitListColumn();
    send(LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
    if (foldersChanged)
        foldersChanged();
}

void ExplorerList::clipboardCommand(bool cut)
{
    const std::vector<int> selected = selectedIndexes();
    if (selected.empty())
        return;
    std::vector<ZString> paths;
    for (int index : selected)
        paths.push_back(pathOf(index));
    if (!ole::putFilesOnClipboard(hwnd(), paths, cut))
        return;
    m_cut.assign(m_items.size(), false);
    if (cut)
        for (int index : selected)
            m_cut[static_cast<size_t>(index)] = true;
    invalidate();
}

bool ExplorerList::isCut(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_cut.size() && m_cut[static_cast<size_t>(index)];
}

void ExplorerList::deleteSelected()
{
    const std::vector<ZString> paths = selectedPaths();
    if (paths.empty())
        return;
    {
        WatcherPause pause(m_watcher);
        shellDelete(hwnd(), paths);
    }
    reload();
    if (foldersChanged)
        foldersChanged();
}

void ExplorerList::archiveSelected()
{
    std::vector<ZString> files;
    for (int index : selectedIndexes())
        if (m_items[static_cast<size_t>(index)].isFile())
            files.push_back(pathOf(index));
    if (files.empty())
        return;
    ZString archive;
    try {
        archive = archiveFolderOfThisMonth();
    } catch (const std::exception&) {
        return;
    }
    if (archive.isEmpty())
        return;
    {
        WatcherPause pause(m_watcher);
        ole::shellCopyOrMove(files, archive, false, nullptr);
    }
    ZString text = lang_getStr(L"quillet/archive/~info-files-added");
    text.replaceAll(L"{ARCHIVE_DIR}", archive);
    showInfo(text);
    if (foldersChanged)
        foldersChanged();
}

void ExplorerList::paste()
{
    if (m_folder.isEmpty())
        return;
    {
        WatcherPause pause(m_watcher);
        ole::pasteFilesInto(hwnd(), m_folder, nullptr);
    }
    reload();
    if (foldersChanged)
        foldersChanged();
}

void ExplorerList::showProperties(const ZString& path) const
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = hwnd();
    info.lpVerb = L"properties";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExW(&info);
}

void ExplorerList::directoryChanged()
{
    if (!m_reloadPosted.exchange(true))
        post(kReloadMessage);
}

void ExplorerList::fillDisplayInfo(LVITEMW& item)
{
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= m_items.size())
        return;
    ExplorerItem& entry = m_items[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0)
        lstrcpynW(item.pszText, entry.displayName.c_str(), item.cchTextMax);
    if ((item.mask & LVIF_IMAGE) != 0) {
        const ZString path = pathOf(item.iItem);
        if (m_viewMode == Preview && m_thumbnailMaker)
            item.iImage = m_thumbnailMaker->imageFor(item.iItem, path, entry.isFolder());
        else {
            // From the cache when it knows the icon, else a plain one until the producer has it.
            const IconSize size = m_viewMode == ListView ? IconSize::Small : IconSize::Large;
            if (!cachedFileIconIndex(path, entry.isFolder(), size, item.iImage)) {
                item.iImage = genericIconIndex(entry.isFolder(), size);
                if ((entry.flags & ExplorerItem::IconDelivered) == 0 && m_icons)
                    m_icons->request(item.iItem, path, entry.isFolder(), size);
            }
        }
    }
    if ((item.mask & LVIF_STATE) != 0) {
        item.stateMask = LVIS_CUT;
        item.state = isCut(item.iItem) ? LVIS_CUT : 0;
    }
}

void ExplorerList::iconReady(int index)
{
    if (index >= 0 && static_cast<size_t>(index) < m_items.size()) {
        m_items[static_cast<size_t>(index)].flags |= ExplorerItem::IconDelivered;
        send(LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
    }
}

void ExplorerList::thumbnailReady(int index)
{
    if (index >= 0 && static_cast<size_t>(index) < m_items.size()) {
        m_items[static_cast<size_t>(index)].flags |= ExplorerItem::ThumbnailDelivered;
        send(LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
    }
}

void ExplorerList::onKey(WORD key)
{
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_DELETE)
        runCommand(Delete);
    else if (key == VK_F2)
        runCommand(Rename);
    else if (control && key == 'A')
        runCommand(SelectAll);
    else if (control && key == 'C')
        runCommand(Copy);
    else if (control && key == 'X')
        runCommand(Cut);
    else if (control && key == 'V')
        runCommand(Paste);
}

int ExplorerList::findByPrefix(const NMLVFINDITEMW& find) const
{
    // Typing the start of a name moves to the next item whose shown name starts so.
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr || m_items.empty())
        return -1;
    const ZString prefix = find.lvfi.psz;
    const int count = static_cast<int>(m_items.size());
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    for (int k = 0; k < count; ++k) {
        const int index = (start + k) % count;
        const ZString& name = m_items[static_cast<size_t>(index)].displayName;
        if (name.length() >= prefix.length() && ZString(name.substring(0, prefix.length() - 1)).equalsIgnoreCase(prefix))
            return index;
    }
    return -1;
}

int ExplorerList::itemAt(POINT screen) const
{
    LVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(hwnd(), &hit.pt);
    const int index = static_cast<int>(send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) != 0 ? index : -1;
}

void ExplorerList::showContextMenu(POINT screen)
{
    const int index = itemAt(screen);
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return;
    if (index >= 0) {
        if (!(send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED))
            select(index);
        else {
            LVITEMW state = {};
            state.stateMask = state.state = LVIS_FOCUSED;
            send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
        }
        const UINT items[] = {PrintToPdf, Archive, ExtractPages, 0, Copy, Cut, 0, Rename, Delete, 0, ItemProperties};
        for (UINT id : items) {
            if (id == 0) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            appendItem(menu, id, commandKey(id), isCommandEnabled(id));
        }
    } else {
        const UINT items[] = {Refresh, 0, Paste, NewFolder, 0, ShowOnlyPdf, ShowAllFiles, 0, FolderProperties};
        for (UINT id : items) {
            if (id == 0) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            appendItem(menu, id, commandKey(id), isCommandEnabled(id));
        }
    }
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen != 0)
        runCommand(chosen);
}

const wchar_t* ExplorerList::commandKey(UINT id)
{
    switch (id) {
    case Refresh: return L"quillet/explorer/list/refresh";
    case Paste: return L"quillet/explorer/list/paste";
    case NewFolder: return L"quillet/explorer/list/new-folder";
    case FolderProperties:
    case ItemProperties: return L"quillet/explorer/list/properties";
    case ShowOnlyPdf: return L"quillet/explorer/list/show-only-pdf";
    case ShowAllFiles: return L"quillet/explorer/list/show-all-files";
    case Copy: return L"quillet/explorer/list/copy";
    case Cut: return L"quillet/explorer/list/cut";
    case Rename: return L"quillet/explorer/list/rename";
    case Delete: return L"quillet/explorer/list/delete";
    case PrintToPdf: return L"quillet/explorer/list/print-to-pdf";
    case Archive: return L"quillet/explorer/list/archive";
    case ExtractPages: return L"quillet/explorer/list/extract-pages";
    default: return L"";
    }
}

void ExplorerList::startDrag()
{
    const std::vector<ZString> paths = selectedPaths();
    if (paths.empty())
        return;
    ole::ComPtr<ole::ListDataObject> data(new ole::ListDataObject(paths));
    const DWORD effect = ole::dragFiles(data.get());
    if (effect != DROPEFFECT_NONE)
        reload();
}

bool ExplorerList::handleNotify(NMHDR* header, LRESULT& result)
{
    if (header->hwndFrom != hwnd())
        return false;
    result = 0;
    switch (header->code) {
    case LVN_GETDISPINFOW:
        fillDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header)->item);
        return true;
    case LVN_ODFINDITEMW:
        result = findByPrefix(*reinterpret_cast<NMLVFINDITEMW*>(header));
        return true;
    case NM_DBLCLK:
        openItem(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
        return true;
    case NM_RETURN:
        openItem(static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
        return true;
    case LVN_KEYDOWN:
        onKey(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey);
        return true;
    case LVN_BEGINLABELEDITW:
        m_editedItem = reinterpret_cast<NMLVDISPINFOW*>(header)->item.iItem;
        result = FALSE;
        return true;
    case LVN_ENDLABELEDITW: {
        const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        m_editedItem = -1;
        if (item.pszText != nullptr)
            finishRename(item.iItem, item.pszText);
        result = FALSE; // the model holds the name
        return true;
    }
    case LVN_BEGINDRAG:
        m_drag.press(hwnd(), reinterpret_cast<NMLISTVIEW*>(header)->ptAction);
        return true;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
        if (selectionChanged)
            selectionChanged();
        return true;
    default:
        return false;
    }
}

LRESULT ExplorerList::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_drag.handle(hwnd(), message, wParam, lParam, [this] { startDrag(); }))
        return 0;
    switch (message) {
    case WM_SETFONT: {
        const LRESULT result = BaseWindow::windowProcedure(message, wParam, lParam);
        fitListColumn();
        return result;
    }
    case kReloadMessage:
        m_reloadPosted = false;
        if (m_editedItem < 0)
            reload();
        return 0;
    case FileIconProducer::kIconMessage:
        if (m_icons && static_cast<unsigned>(lParam) == m_icons->generation())
            iconReady(static_cast<int>(wParam));
        return 0;
    case FileThumbnails::kDeliveryMessage:
        if (m_thumbnailMaker)
            m_thumbnailMaker->deliver(wParam, lParam);
        return 0;
    case WM_CONTEXTMENU: {
        POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == -1) {
            RECT r = clientRect();
            screen = {r.left + 8, r.top + 8};
            ClientToScreen(hwnd(), &screen);
        }
        showContextMenu(screen);
        return 0;
    }
    case WM_DROPFILES: {
        const HDROP drop = reinterpret_cast<HDROP>(wParam);
        ole::moveDroppedFilesInto(drop, m_folder, nullptr);
        DragFinish(drop);
        reload();
        return 0;
    }
    case WM_DESTROY:
        shutDown();
        break;
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}

ZString ExplorerList::folderAt(POINT screenPoint)
{
    const int index = itemAt(screenPoint);
    if (index < 0 || !m_items[static_cast<size_t>(index)].isFolder())
        return ZString();
    return pathOf(index);
}

void ExplorerList::highlightFolderAt(POINT screenPoint)
{
    int index = itemAt(screenPoint);
    if (index >= 0 && !m_items[static_cast<size_t>(index)].isFolder())
        index = -1;
    if (index == m_highlighted)
        return;
    clearHighlight();
    if (index >= 0) {
        LVITEMW state = {};
        state.stateMask = state.state = LVIS_DROPHILITED;
        send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
        m_highlighted = index;
    }
}

void ExplorerList::clearHighlight()
{
    if (m_highlighted < 0)
        return;
    LVITEMW state = {};
    state.stateMask = LVIS_DROPHILITED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(m_highlighted), reinterpret_cast<LPARAM>(&state));
    m_highlighted = -1;
}

void ExplorerList::dropped(const ZString& folder, const std::vector<ZString>&)
{
    if (folder.equalsIgnoreCase(m_folder))
        reload();
    if (foldersChanged)
        foldersChanged();
}
