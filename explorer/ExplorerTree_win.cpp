#include "explorer/ExplorerTree_win.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/NaturalOrder.h"
#include "base/Settings.h"
#include "explorer/DriveList.h"
#include "explorer/ExplorerDataObjects_win.h"
#include "explorer/FileDrag_win.h"
#include "explorer/FileIcons_win.h"
#include "explorer/NameRules.h"
#include "gui/Dpi.h"
#include "gui/Messages.h"

#include <shlobj.h>

#include <algorithm>

using namespace explorer_tree;

namespace {

const UINT kDriveLabelsMessage = WM_APP + 163;
const size_t kDriveStringsLimit = 4096;

ZString joinPath(const ZString& folder, const ZString& name)
{
    return folder.endsWith(L'\\') ? folder + name : folder + L"\\" + name;
}

// The subfolders of a folder that the tree shows, in the list's order.
std::vector<ZString> subfolders(const ZString& folder, size_t limit)
{
    std::vector<ZString> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(joinPath(folder, L"*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchLimitToDirectories, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
            continue;
        if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0)
            continue;
        names.emplace_back(found.cFileName);
    } while (names.size() < limit && FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const ZString& a, const ZString& b) { return naturalCompare(a.view(), b.view()) < 0; });
    return names;
}

bool hasSubfolders(const ZString& folder) { return !subfolders(folder, 1).empty(); }

ZString knownFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return ZString();
    return path;
}

uint32_t noDrivesPolicy()
{
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                     L"NoDrives", RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

ZString nodeText(HWND tree, HTREEITEM node)
{
    wchar_t text[MAX_PATH * 2] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

} // namespace

ExplorerTree::~ExplorerTree() { shutDown(); }

bool ExplorerTree::create(HWND parent, HINSTANCE instance)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                        TVS_EDITLABELS | TVS_SHOWSELALWAYS;
    if (!BaseWindow::create(0, WC_TREEVIEWW, nullptr, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), instance))
        return false;
    send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(systemImageList(IconSize::Small)));
    m_dropTarget = ole::ComPtr<ole::TreeDropTarget>(new ole::TreeDropTarget(*this));
    RegisterDragDrop(hwnd(), m_dropTarget.get());
    build();
    return true;
}

void ExplorerTree::shutDown()
{
    m_driveInfo.reset();
    if (m_dropTarget) {
        if (hwnd() != nullptr)
            RevokeDragDrop(hwnd());
        m_dropTarget->detach();
        m_dropTarget.reset();
    }
}

HTREEITEM ExplorerTree::addNode(HTREEITEM parent, const ZString& text, const ZString& folder, int icon, bool plus)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.cChildren = plus ? 1 : 0;
    insert.item.iImage = insert.item.iSelectedImage = icon;
    insert.item.lParam = reinterpret_cast<LPARAM>(new ZString(folder)); // freed in TVN_DELETEITEM
    return reinterpret_cast<HTREEITEM>(send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void ExplorerTree::build()
{
    m_driveInfo.reset();
    send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    auto root = [this](const wchar_t* key, const ZString& folder) {
        if (!folder.isEmpty())
            addNode(TVI_ROOT, lang_getStr(key), folder, fileIconIndex(folder, true, IconSize::Small),
                    hasSubfolders(folder));
    };
    root(L"quillet/explorer/tree/desktop", desktopFolder());
    root(L"quillet/explorer/tree/archive", userConfig_getStr(L"ArchiveDir", ZString()));
    // Without a favourites folder its node is left out.
    root(L"quillet/explorer/tree/favorites", userConfig_getStr(L"FavoriteDir", ZString()));
    root(L"quillet/explorer/tree/personal-folder", knownFolder(CSIDL_PERSONAL));

    m_workspace = addNode(TVI_ROOT, lang_getStr(L"quillet/explorer/tree/workspace"), ZString(),
                          fileIconIndex(knownFolder(CSIDL_DRIVES), true, IconSize::Small), true);
    std::vector<wchar_t> strings(kDriveStringsLimit + 1, 0);
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(kDriveStringsLimit), strings.data());
    std::vector<ZString> drives;
    if (length > 0 && length <= kDriveStringsLimit)
        drives = visibleDrives(strings.data(), noDrivesPolicy());
    for (const ZString& drive : drives) {
        const bool cd = GetDriveTypeW(drive.c_str()) == DRIVE_CDROM;
        SHFILEINFOW info = {};
        SHGetFileInfoW(drive.c_str(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (cd ? SHGFI_USEFILEATTRIBUTES : 0));
        addNode(m_workspace, driveLabel(drive), drive, info.iIcon, true);
    }
    send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_workspace));
    m_driveInfo = std::make_unique<DriveInfoSetter>(hwnd(), kDriveLabelsMessage);
    m_driveInfo->start(drives);
}

std::vector<ZString> ExplorerTree::rootTexts() const { return childTexts(TVI_ROOT); }

std::vector<ZString> ExplorerTree::driveTexts() const { return childTexts(m_workspace); }

std::vector<ZString> ExplorerTree::childTexts(HTREEITEM node) const
{
    std::vector<ZString> out;
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        send(TVM_GETNEXTITEM, node == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
    for (; child != nullptr;
         child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
        out.push_back(nodeText(hwnd(), child));
    return out;
}

ZString ExplorerTree::folderOf(HTREEITEM node) const
{
    if (node == nullptr)
        return ZString();
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) || item.lParam == 0)
        return ZString();
    return *reinterpret_cast<const ZString*>(item.lParam);
}

void ExplorerTree::removeChildren(HTREEITEM node)
{
    HTREEITEM child;
    while ((child = reinterpret_cast<HTREEITEM>(
                send(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)))) != nullptr)
        send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
}

void ExplorerTree::fill(HTREEITEM node)
{
    if (node == m_workspace)
        return;
    const ZString folder = folderOf(node);
    removeChildren(node);
    for (const ZString& name : subfolders(folder, static_cast<size_t>(-1))) {
        const ZString path = joinPath(folder, name);
        addNode(node, name, path, fileIconIndex(path, true, IconSize::Small), hasSubfolders(path));
    }
}

void ExplorerTree::expand(HTREEITEM node)
{
    send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
}

HTREEITEM ExplorerTree::findNode(HTREEITEM from, const ZString& folder) const
{
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        send(TVM_GETNEXTITEM, from == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD, reinterpret_cast<LPARAM>(from)));
    for (; child != nullptr;
         child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
        if (folderOf(child).equalsIgnoreCase(folder))
            return child;
        if (HTREEITEM deeper = findNode(child, folder))
            return deeper;
    }
    return nullptr;
}

void ExplorerTree::selectFolder(const ZString& folder)
{
    HTREEITEM node = findNode(TVI_ROOT, folder);
    if (node == nullptr)
        return;
    m_selecting = true;
    send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    m_selecting = false;
}

void ExplorerTree::refreshNode(HTREEITEM node)
{
    if (node == nullptr || node == m_workspace)
        return;
    const bool expanded = (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    std::vector<HTREEITEM> children;
    if (expanded) {
        // The expanded children keep their state through a refill by name.
        std::vector<ZString> open;
        HTREEITEM child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(node)));
        for (; child != nullptr;
             child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
            if (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(child), TVIS_EXPANDED) & TVIS_EXPANDED)
                open.push_back(folderOf(child));
        fill(node);
        for (const ZString& folder : open)
            if (HTREEITEM again = findNode(node, folder)) {
                expand(again);
                refreshNode(again);
            }
    } else {
        TVITEMW item = {};
        item.mask = TVIF_CHILDREN | TVIF_STATE;
        item.hItem = node;
        item.stateMask = TVIS_EXPANDEDONCE;
        item.state = 0;
        item.cChildren = hasSubfolders(folderOf(node)) ? 1 : 0;
        removeChildren(node);
        send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void ExplorerTree::refresh()
{
    HTREEITEM root = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; root != nullptr;
         root = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)))) {
        if (root == m_workspace) {
            HTREEITEM drive = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
            for (; drive != nullptr;
                 drive = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(drive))))
                if (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(drive), TVIS_EXPANDED) & TVIS_EXPANDED)
                    refreshNode(drive);
        } else {
            refreshNode(root);
        }
    }
}

void ExplorerTree::takeDriveLabels()
{
    if (!m_driveInfo)
        return;
    for (const auto& [root, label] : m_driveInfo->takeLabels()) {
        HTREEITEM child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(m_workspace)));
        for (; child != nullptr;
             child = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
            if (folderOf(child).equalsIgnoreCase(root)) {
                TVITEMW item = {};
                item.mask = TVIF_TEXT;
                item.hItem = child;
                item.pszText = const_cast<wchar_t*>(label.c_str());
                send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            }
    }
}

void ExplorerTree::runCommand(UINT id, HTREEITEM node)
{
    if (node == nullptr)
        return;
    switch (id) {
    case Rename:
        SetFocus(hwnd());
        send(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(node));
        break;
    case Expand:
        expand(node);
        break;
    case Reduce:
        send(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(node));
        send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
        break;
    case Reload:
        if (node == m_workspace)
            build();
        else {
            fill(node);
            expand(node);
        }
        break;
    default:
        break;
    }
}

HTREEITEM ExplorerTree::nodeAt(POINT screen) const
{
    TVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(hwnd(), &hit.pt);
    HTREEITEM node = reinterpret_cast<HTREEITEM>(send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEM) != 0 ? node : nullptr;
}

void ExplorerTree::showContextMenu(POINT screen)
{
    HTREEITEM node = nodeAt(screen);
    if (node == nullptr)
        return;
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return;
    const bool expanded = (send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    const bool isFolder = !folderOf(node).isEmpty();
    AppendMenuW(menu, MF_STRING | (isFolder ? MF_ENABLED : MF_GRAYED), Rename,
                lang_getStr(L"quillet/explorer/tree/rename").c_str());
    if (expanded)
        AppendMenuW(menu, MF_STRING, Reduce, lang_getStr(L"quillet/explorer/tree/reduce").c_str());
    else
        AppendMenuW(menu, MF_STRING, Expand, lang_getStr(L"quillet/explorer/tree/expand").c_str());
    AppendMenuW(menu, MF_STRING, Reload, lang_getStr(L"quillet/explorer/tree/reload").c_str());
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen != 0)
        runCommand(chosen, node);
}

bool ExplorerTree::finishRename(HTREEITEM node, const wchar_t* text)
{
    const ZString folder = folderOf(node);
    const HTREEITEM parent = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(node)));
    if (folder.isEmpty() || text == nullptr || parent == nullptr || parent == m_workspace)
        return false; // roots and drives keep their names
    const int slash = folder.findLastChar(L'\\');
    const ZString oldName = folder.substring(slash + 1);
    ZString newName = text;
    switch (judgeRename(oldName, newName, false)) {
    case RenameVerdict::CharactersNotAllowed:
        showCharactersNotAllowed(kInvalidNameCharacters);
        return false;
    case RenameVerdict::Rename:
        break;
    default:
        return false;
    }
    const ZString renamed = folder.substring(0, slash) + newName;
    if (!MoveFileW(folder.c_str(), renamed.c_str()))
        return false;
    fill(parent);
    if (filesArrived)
        filesArrived(folderOf(parent));
    return false; // the refill shows the new name
}

void ExplorerTree::startDrag()
{
    const ZString folder = folderOf(m_dragNode);
    if (folder.isEmpty())
        return;
    const HTREEITEM parent = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(m_dragNode)));
    ole::ComPtr<ole::TreeDataObject> data(new ole::TreeDataObject(folder));
    if (ole::dragFiles(data.get()) != DROPEFFECT_NONE && parent != nullptr)
        refreshNode(parent);
}

bool ExplorerTree::handleNotify(NMHDR* header, LRESULT& result)
{
    if (header->hwndFrom != hwnd())
        return false;
    result = 0;
    switch (header->code) {
    case TVN_DELETEITEMW:
        delete reinterpret_cast<ZString*>(reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.lParam);
        return true;
    case TVN_ITEMEXPANDINGW: {
        const NMTREEVIEWW* view = reinterpret_cast<NMTREEVIEWW*>(header);
        if (view->action == TVE_EXPAND && (view->itemNew.state & TVIS_EXPANDEDONCE) == 0)
            fill(view->itemNew.hItem);
        return true;
    }
    case TVN_SELCHANGEDW: {
        const ZString folder = folderOf(reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem);
        if (!m_selecting && !folder.isEmpty() && folderSelected)
            folderSelected(folder);
        return true;
    }
    case TVN_BEGINLABELEDITW: {
        const HTREEITEM node = reinterpret_cast<NMTVDISPINFOW*>(header)->item.hItem;
        const HTREEITEM parent = reinterpret_cast<HTREEITEM>(send(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(node)));
        result = (parent == nullptr || parent == m_workspace) ? TRUE : FALSE;
        return true;
    }
    case TVN_ENDLABELEDITW: {
        const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
        result = finishRename(item.hItem, item.pszText) ? TRUE : FALSE;
        return true;
    }
    case TVN_BEGINDRAGW: {
        const NMTREEVIEWW* view = reinterpret_cast<NMTREEVIEWW*>(header);
        m_dragNode = view->itemNew.hItem;
        m_drag.press(hwnd(), view->ptDrag);
        return true;
    }
    case NM_RCLICK: {
        POINT screen;
        GetCursorPos(&screen);
        showContextMenu(screen);
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

LRESULT ExplorerTree::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_drag.handle(hwnd(), message, wParam, lParam, [this] { startDrag(); }))
        return 0;
    switch (message) {
    case kDriveLabelsMessage:
        takeDriveLabels();
        return 0;
    case WM_DESTROY:
        shutDown();
        // The nodes' folders are freed through the notifications while the parent still hears them.
        send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        break;
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}

ZString ExplorerTree::folderAt(POINT screenPoint) { return folderOf(nodeAt(screenPoint)); }

void ExplorerTree::highlightFolderAt(POINT screenPoint)
{
    HTREEITEM node = nodeAt(screenPoint);
    if (folderOf(node).isEmpty())
        node = nullptr;
    send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(node));
}

void ExplorerTree::clearHighlight() { send(TVM_SELECTITEM, TVGN_DROPHILITE, 0); }

void ExplorerTree::dropped(const ZString& folder, const std::vector<ZString>&)
{
    if (HTREEITEM node = findNode(TVI_ROOT, folder))
        refreshNode(node);
    if (filesArrived)
        filesArrived(folder);
}
