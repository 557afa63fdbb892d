// Stands in for the explorer's file list until the explorer exists: it keeps
// the folder it was last asked to show and lists every folder shown, in a plain
// list box readable from another process.
#pragma once

#include "base/ZString.h"

#include <windows.h>

class InterimExplorerList {
public:
    static constexpr int kControlId = 4200;

    bool create(HWND parent);
    HWND hwnd() const { return m_hwnd; }

    // Shows an existing folder; with onlyIfChanged nothing happens when it is
    // already the current one (compared without case).
    void navigate(const ZString& folder, bool onlyIfChanged);
    const ZString& currentFolder() const { return m_current; }

    // What the menus ask of the explorer.
    enum class Filter { AllFiles, PdfOnly };
    bool hasSelection() const;
    bool foldersShown() const { return m_foldersShown; }
    void setFoldersShown(bool shown) { m_foldersShown = shown; }
    Filter filter() const { return m_filter; }
    void setFilter(Filter filter) { m_filter = filter; }
    // The height of the header above the list (the list has none yet).
    static int headerHeight(int dpi);

private:
    HWND m_hwnd = nullptr;
    ZString m_current;
    bool m_foldersShown = true;
    Filter m_filter = Filter::AllFiles;
};
