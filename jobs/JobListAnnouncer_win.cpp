#include "jobs/JobListAnnouncer_win.h"

#include "jobs/Job.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlgContainer_win.h"

#include <algorithm>
#include <iterator>

namespace {

// More changes than this are told as one "selection changed within".
const size_t kSingleSelectionEvents = 20;

void tell(DWORD event, HWND window, LONG child) { NotifyWinEvent(event, window, OBJID_CLIENT, child); }

std::vector<LONG> without(const std::vector<LONG>& from, const std::vector<LONG>& removed)
{
    std::vector<LONG> rest;
    std::set_difference(from.begin(), from.end(), removed.begin(), removed.end(), std::back_inserter(rest));
    return rest;
}

} // namespace

void announceSelection(HWND window, const std::vector<LONG>& before, const std::vector<LONG>& after)
{
    const std::vector<LONG> added = without(after, before);
    const std::vector<LONG> removed = without(before, after);
    if (added.empty() && removed.empty())
        return;
    if (added.size() + removed.size() > kSingleSelectionEvents) {
        tell(EVENT_OBJECT_SELECTIONWITHIN, window, CHILDID_SELF);
        return;
    }
    if (after.size() == 1) {
        tell(EVENT_OBJECT_SELECTION, window, after.front()); // the one selected item now
        return;
    }
    for (LONG child : removed)
        tell(EVENT_OBJECT_SELECTIONREMOVE, window, child);
    for (LONG child : added)
        tell(EVENT_OBJECT_SELECTIONADD, window, child);
}

JobListAnnouncer::JobState JobListAnnouncer::stateOf(const JobListDlgContainer& list, int index)
{
    const JobDlg& w = list.window(index);
    JobState state;
    state.window = w.hwnd();
    state.name = w.headerText();
    for (const JobPage& p : w.job().pages())
        state.pages.emplace_back(p.document, p.pageNumber);
    state.selected = w.isSelected();
    for (int page : w.pageSelection().pages())
        state.selectedPages.push_back(page);
    std::sort(state.selectedPages.begin(), state.selectedPages.end());
    return state;
}

void JobListAnnouncer::announce(const JobListDlgContainer& list)
{
    HWND listWindow = list.hwnd();
    std::vector<JobState> now;
    for (int i = 0; i < list.count(); ++i)
        now.push_back(stateOf(list, i));
    auto indexIn = [](const std::vector<JobState>& jobs, HWND window) {
        for (size_t i = 0; i < jobs.size(); ++i)
            if (jobs[i].window == window)
                return static_cast<LONG>(i);
        return LONG{-1};
    };

    // Job windows gone and made; the list's order when any job's place changed.
    bool reordered = false;
    for (size_t i = m_jobs.size(); i-- > 0;)
        if (indexIn(now, m_jobs[i].window) < 0) {
            tell(EVENT_OBJECT_DESTROY, listWindow, static_cast<LONG>(i) + 1);
            reordered = reordered || i + 1 < m_jobs.size();
        }
    for (size_t i = 0; i < now.size(); ++i) {
        const LONG before = indexIn(m_jobs, now[i].window);
        if (before < 0)
            tell(EVENT_OBJECT_CREATE, listWindow, static_cast<LONG>(i) + 1);
        else if (before != static_cast<LONG>(i))
            reordered = true;
    }
    if (reordered)
        tell(EVENT_OBJECT_REORDER, listWindow, CHILDID_SELF);

    // Each job's name, pages and page selection.
    std::vector<LONG> selectedBefore, selectedNow;
    for (size_t i = 0; i < now.size(); ++i) {
        const LONG child = static_cast<LONG>(i) + 1;
        const LONG before = indexIn(m_jobs, now[i].window);
        const JobState* old = before >= 0 ? &m_jobs[static_cast<size_t>(before)] : nullptr;
        if (old != nullptr && old->name != now[i].name)
            tell(EVENT_OBJECT_NAMECHANGE, listWindow, child);
        if (old != nullptr && old->pages != now[i].pages)
            tell(EVENT_OBJECT_REORDER, now[i].window, CHILDID_SELF);
        announceSelection(now[i].window, old != nullptr ? old->selectedPages : std::vector<LONG>{},
                          now[i].selectedPages);
        if (old != nullptr && old->selected)
            selectedBefore.push_back(child);
        if (now[i].selected)
            selectedNow.push_back(child);
    }
    // The jobs' selection, by their places now; jobs that went are told gone above.
    announceSelection(listWindow, selectedBefore, selectedNow);

    // The focus: the job or page last pressed, while the list has the keyboard.
    const JobDlg* focus = list.focusWindow();
    HWND focusWindow = focus != nullptr ? focus->hwnd() : nullptr;
    const int focusPage = focus != nullptr ? list.focusPage() : 0;
    const bool hasFocus = GetFocus() == listWindow;
    if (hasFocus && focusWindow != nullptr &&
        (!m_hadFocus || focusWindow != m_focusWindow || focusPage != m_focusPage)) {
        if (focusPage > 0)
            tell(EVENT_OBJECT_FOCUS, focusWindow, focusPage);
        else
            tell(EVENT_OBJECT_FOCUS, listWindow, indexIn(now, focusWindow) + 1);
    }
    m_focusWindow = focusWindow;
    m_focusPage = focusPage;
    m_hadFocus = hasFocus;
    m_jobs = std::move(now);
}
