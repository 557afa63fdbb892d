// The explorer's folder tree: desktop, archive, favourites, personal folder
// and the workspace with its drives as roots; expanding a node lists its
// subfolders in the list's order, selecting one loads it into the list.
#pragma once

#include "base/ZString.h"
#include "explorer/ComPtr.h"
#include "explorer/DriveInfoSetter_win.h"
#include "explorer/FileDrag_win.h"
#include "explorer/FolderDropTarget_win.h"
#include "gui/BaseWindow.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

namespace explorer_tree {
enum Command : UINT { Rename = 101, Expand = 102, Reduce = 103, Reload = 104 };
}

class ExplorerTree : public BaseWindow, private ole::FolderDropSite {
public:
    static constexpr int kControlId = 4204;

    ExplorerTree() = default;
    ~ExplorerTree() override;

    bool create(HWND parent, HINSTANCE instance);
    // Unregisters the drop target and stops the drive thread.
    void shutDown();

    // Builds the roots anew.
    void build();
    // The roots' texts, in order (for tests and the accessibility of the tree).
    std::vector<ZString> rootTexts() const;
    // The texts of the workspace's drive nodes.
    std::vector<ZString> driveTexts() const;
    // Selects the node of the folder when the tree holds one (without loading the list again).
    void selectFolder(const ZString& folder);
    // Reads the subfolders of every expanded node again.
    void refresh();
    // The folder of a node; empty for the workspace.
    ZString folderOf(HTREEITEM node) const;
    void runCommand(UINT id, HTREEITEM node);
    // Expands a node (fills it first).
    void expand(HTREEITEM node);
    std::vector<ZString> childTexts(HTREEITEM node) const;
    HTREEITEM findNode(HTREEITEM from, const ZString& folder) const;

    // A node the user selected: its folder.
    std::function<void(const ZString&)> folderSelected;
    // The folder the list shows (drops over no node go there).
    std::function<ZString()> shownFolder;
    // Files arrived in a folder by a drop.
    std::function<void(const ZString&)> filesArrived;

    // Notifications forwarded by the parent; true when handled.
    bool handleNotify(NMHDR* header, LRESULT& result);
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HTREEITEM addNode(HTREEITEM parent, const ZString& text, const ZString& folder, int icon, bool plus);
    void fill(HTREEITEM node);
    void removeChildren(HTREEITEM node);
    void refreshNode(HTREEITEM node);
    void takeDriveLabels();
    void showContextMenu(POINT screen);
    bool finishRename(HTREEITEM node, const wchar_t* text);
    HTREEITEM nodeAt(POINT screen) const;
    void startDrag();

    ZString folderAt(POINT screenPoint) override;
    void highlightFolderAt(POINT screenPoint) override;
    void clearHighlight() override;
    ZString currentFolder() override { return shownFolder ? shownFolder() : ZString(); }
    void dropped(const ZString& folder, const std::vector<ZString>& arrived) override;

    HTREEITEM m_workspace = nullptr;
    std::unique_ptr<DriveInfoSetter> m_driveInfo;
    ole::ComPtr<ole::TreeDropTarget> m_dropTarget;
    bool m_selecting = false;
    ole::PendingDrag m_drag{15}; // pixels at 96 DPI
    HTREEITEM m_dragNode = nullptr;
};
