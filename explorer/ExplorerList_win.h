// The contents of the explorer's current folder: an owner-data list view over
// the sorted items, with the list commands, label editing, the clipboard,
// dragging out and dropping in, and a directory watcher that reloads the list
// when the folder changes.
#pragma once

#include "base/ZString.h"
#include "explorer/ComPtr.h"
#include "explorer/DirectoryWatcher_win.h"
#include "explorer/ExplorerItems.h"
#include "explorer/FileIconProducer_win.h"
#include "explorer/FileDrag_win.h"
#include "explorer/FolderDropTarget_win.h"
#include "explorer/Thumbnails_win.h"
#include "gui/BaseWindow.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class NavigationHistory;

namespace explorer_list {
enum Command : UINT {
    Refresh = 100,
    Paste = 101,
    NewFolder = 102,
    FolderProperties = 103,
    ShowOnlyPdf = 104,
    ShowAllFiles = 105,
    SelectAll = 106,
    Copy = 200,
    Cut = 201,
    Rename = 202,
    Delete = 203,
    ItemProperties = 204,
    PrintToPdf = 209,
    Archive = 211,
    ExtractPages = 212,
};
enum ViewMode { ListView = 0, Symbols = 1, Preview = 2 };
} // namespace explorer_list

class ExplorerList : public BaseWindow,
                     public IDirectoryWatch,
                     public IFileIconsNotifyObj,
                     public IFileThumbnailsNotifyObj,
                     private ole::FolderDropSite {
public:
    static constexpr int kControlId = 4203;

    explicit ExplorerList(NavigationHistory& history);
    ~ExplorerList() override;

    // Creates the list view, reads the filter and view mode, starts the
    // watcher and registers the drop target.
    bool create(HWND parent, HINSTANCE instance);
    // Unregisters the drop target and stops the watcher (before the window goes).
    void shutDown();

    // Loads an existing folder; with onlyIfChanged nothing happens when it is
    // shown already. pushHistory: the folder becomes the history's newest entry.
    void navigate(const ZString& path, bool onlyIfChanged, bool pushHistory = true);
    void reload();
    // Puts the items in order again (after names changed), keeping the folder's entries.
    void resort();
    const ZString& folder() const { return m_folder; }
    const std::vector<ExplorerItem>& items() const { return m_items; }
    ZString pathOf(int index) const;
    bool isBusy() const { return m_busy; }

    const ExtensionFilter& filter() const { return m_filter; }
    // Stores the filter and reloads.
    void setFilter(const ExtensionFilter& filter);
    int viewMode() const { return m_viewMode; }
    // Stores the mode and reloads.
    void setViewMode(int mode);

    std::vector<int> selectedIndexes() const;
    std::vector<ZString> selectedPaths() const;
    bool hasSelection() const;
    void selectAll();
    void select(int index);

    // Opens an item: a folder (or a shortcut to one) loads, a file goes to openFile.
    void openItem(int index);
    void runCommand(UINT id);
    bool isCommandEnabled(UINT id) const;
    // The item whose label is being edited, -1 for none.
    int editedItem() const { return m_editedItem; }
    // The end of label editing, as the list view reports it (also for tests).
    void finishRename(int index, const ZString& text);
    // A new folder with the first free name; starts editing its label; its index or -1.
    int createNewFolder();
    // The watcher's notices (and everything else that changes the folder) reload.
    void directoryChanged() override;
    void iconReady(int index) override;
    void thumbnailReady(int index) override;
    // Shown ghosted: cut to the clipboard.
    bool isCut(int index) const;
    // The language key of a list command's menu entry.
    static const wchar_t* commandKey(UINT id);

    // What the list hands on: files to add as jobs, folder loads, tree refresh.
    std::function<void(const ZString&)> openFile;
    std::function<void()> navigated;
    std::function<void()> foldersChanged;
    std::function<void()> selectionChanged;

    // The list view's notifications, forwarded by the parent; true when handled.
    bool handleNotify(NMHDR* header, LRESULT& result);
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void enumerate();
    void applyViewMode();
    // List view: the column as wide as the widest name in the list's font
    // with its icon, so that no name is cut short.
    void fitListColumn() const;
    void fillDisplayInfo(LVITEMW& item);
    void onKey(WORD key);
    void showContextMenu(POINT screen);
    void startDrag();
    void clipboardCommand(bool cut);
    void deleteSelected();
    void archiveSelected();
    void paste();
    void showProperties(const ZString& path) const;
    void saveFilter() const;
    int itemAt(POINT screen) const;
    int findByPrefix(const NMLVFINDITEMW& find) const;
    void setThumbnailList();

    // FolderDropSite
    ZString folderAt(POINT screenPoint) override;
    void highlightFolderAt(POINT screenPoint) override;
    void clearHighlight() override;
    ZString currentFolder() override { return m_folder; }
    void dropped(const ZString& folder, const std::vector<ZString>& arrived) override;

    NavigationHistory& m_history;
    ZString m_folder;
    std::vector<ExplorerItem> m_items;
    std::vector<bool> m_cut; // ghosted: cut to the clipboard
    int m_folderCount = 0;
    int m_fileCount = 0;
    ExtensionFilter m_filter;
    int m_viewMode = 0;
    bool m_busy = false;
    int m_editedItem = -1;
    int m_highlighted = -1;
    HIMAGELIST m_thumbnails = nullptr; // ours
    std::unique_ptr<FileThumbnails> m_thumbnailMaker;
    std::unique_ptr<FileIconProducer> m_icons;
    DirectoryWatcher m_watcher;
    ole::ComPtr<ole::ListDropTarget> m_dropTarget;
    ole::PendingDrag m_drag{15}; // pixels at 96 DPI
    std::atomic<bool> m_reloadPosted{false};
};
