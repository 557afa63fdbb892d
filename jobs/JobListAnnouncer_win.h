// Tells screen readers what changed in the job list (MSAA win events), by
// comparing the list with what was last told: job windows made and removed,
// the list's order, header names, each job's pages, the selected jobs and
// pages, and the focused job or page.
//
// The objects the events name are those the list's accessible objects hand
// out: job n of the list is child n of the list window's client object;
// page n of a job is child n of the job window's client object.
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <utility>
#include <vector>

class JobListDlgContainer;
class PdfSource;

class JobListAnnouncer {
public:
    void announce(const JobListDlgContainer& list);

private:
    struct JobState {
        HWND window = nullptr;
        ZString name;
        std::vector<std::pair<const PdfSource*, int>> pages;
        bool selected = false;
        std::vector<LONG> selectedPages; // ascending
    };
    static JobState stateOf(const JobListDlgContainer& list, int index);

    std::vector<JobState> m_jobs; // display order
    HWND m_focusWindow = nullptr;
    int m_focusPage = 0;
    bool m_hadFocus = false;
};

// Selection events of a container's children, as a change from before to
// after (ascending child ids): one item selected alone, items added and
// removed, or many changes at once.
void announceSelection(HWND window, const std::vector<LONG>& before, const std::vector<LONG>& after);
