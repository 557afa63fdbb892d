// The explorer's toolbar: back, forward, folders, delete, up, cut, copy,
// paste and the views menu (filter and view mode), with tooltips and the
// states that follow the list.
#pragma once

#include "gui/BaseToolbar.h"
#include "gui/ToolbarImages.h"

namespace explorer_toolbar {
enum Button : int {
    Back = 1,
    Forward = 2,
    ShowHideFolders = 3,
    Delete = 4,
    Up = 5,
    Cut = 6,
    Copy = 7,
    Paste = 8,
    Views = 9,
    ShowAllFiles = 10,
    ShowOnlyPdf = 11,
    ListMode = 12,
    SymbolsMode = 13,
    PreviewMode = 14,
};

// Positions of the pictures in the explorer's strip.
enum Picture : int {
    BackPicture,
    ForwardPicture,
    FoldersPicture,
    UpPicture,
    CutPicture,
    CopyPicture,
    PastePicture,
    DeletePicture,
    ViewsPicture,
    ClosePicture, // the folder tree head's hide button
};
} // namespace explorer_toolbar

class ExplorerToolbar : public BaseToolbar {
public:
    static constexpr int kControlId = 4201;

    bool create(HWND parent, HINSTANCE instance);
    // The views menu below its button; returns the chosen entry (10 to 14) or 0.
    // viewMode and filtered grey the entries that are in force.
    int showViewsMenu(int viewMode, bool filtered) const;
    void setFoldersChecked(bool checked) const;
    int height() const;
    // The tooltip language key of a button or views entry.
    static const wchar_t* tooltipKey(int id);

    // The explorer's picture strip (shared with the folder tree's head) and
    // the pictures' size at 96 dpi.
    static constexpr const wchar_t* kImageStrip = L"explorer_tb_img_list.png";
    static constexpr int kImageSize = 16;

private:
    ToolbarImages m_images;
};
