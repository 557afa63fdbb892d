// The explorer's toolbar: back, forward, folders, delete, up, cut, copy,
// paste and the views menu (filter and view mode), with tooltips and the
// states that follow the list.
#pragma once

#include "gui/BaseToolbar.h"

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
}

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
};
