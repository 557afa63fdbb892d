// A plain job list that stands in until the job list window exists: it adds
// jobs to the job store and shows their names in a list box (readable from
// another process with LB_GETTEXT).
#pragma once

#include "base/ZString.h"

#include <windows.h>

class JobStore;

class InterimJobList {
public:
    // The list box's control id inside the main window.
    static constexpr int kControlId = 4103;

    explicit InterimJobList(JobStore& store) : m_store(store) {}
    bool create(HWND parent);
    HWND hwnd() const { return m_hwnd; }

    // Makes a job of the file and shows it; an empty name gives a new job name.
    bool addJobFromFile(const ZString& path, const ZString& name);

private:
    JobStore& m_store;
    HWND m_hwnd = nullptr;
};
