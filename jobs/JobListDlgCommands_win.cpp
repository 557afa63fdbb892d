// The job list's whole-job commands: the toolbar's buttons and their
// all-or-selected, views and sort menus.
#include "jobs/JobListDlgContainer_win.h"

#include "base/Lang.h"
#include "base/Settings.h"
#include "jobs/Job.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobStore.h"
#include "jobs/PopupMenu_win.h"
#include "jobs/PrintJob.h"
#include "jobs/SaveJobs.h"

namespace {

// TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD.
const UINT kAllOrSelectedFlags = 394;

// The two-entry menu; the chosen command, or -1 when none was chosen.
int allOrSelected(HWND owner, int all, const wchar_t* allKey, int selected, const wchar_t* selectedKey,
                   bool selectedGrayed = false)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, static_cast<UINT>(all), lang_getStr(allKey).c_str());
    AppendMenuW(menu, MF_STRING | (selectedGrayed ? MF_GRAYED : 0), static_cast<UINT>(selected),
                lang_getStr(selectedKey).c_str());
    POINT at = {};
    GetCursorPos(&at);
    const UINT chosen = trackJobMenu(menu, kAllOrSelectedFlags, at, owner);
    DestroyMenu(menu);
    return chosen != 0 ? static_cast<int>(chosen) : -1;
}

std::vector<Job*> withPages(const std::vector<Job*>& jobs)
{
    std::vector<Job*> result;
    for (Job* job : jobs)
        if (!job->isEmpty())
            result.push_back(job);
    return result;
}

} // namespace

void JobListDlgContainer::command(int id)
{
    using namespace joblist;
    if (id < 0)
        return; // an all-or-selected menu closed without a choice
    const ListState state = listState();
    std::vector<Job*> all;
    for (int i = 0; i < count(); ++i)
        all.push_back(&window(i).job());
    switch (id) {
    case CreateEmpty:
        if (Job* job = m_store.createEmptyJob())
            addJobWindow(*job);
        break;
    case SaveMenu:
        command(asksAllOrSelected(state.selectedCount(), state.all())
                    ? (allOrSelected(hwnd(), SaveAll, L"quillet/jobs/save-all", SaveSelected,
                                                     L"quillet/jobs/save-selected"))
                    : SaveAll);
        break;
    case SaveAll: {
        // Every job with pages, in the order the store made them.
        std::vector<Job*> jobs;
        for (int i = 0; i < m_store.jobCount(); ++i)
            if (!m_store.job(i)->isEmpty())
                jobs.push_back(m_store.job(i));
        saveJobs(jobs);
        for (int i = 0; i < count(); ++i)
            window(i).refresh();
        break;
    }
    case SaveSelected:
        saveJobs(selectedJobs()); // one job goes to save as, several into a folder
        for (JobDlg* w : selectedWindows())
            w->refresh();
        break;
    case MergeMenu:
        command(asksMergeAllOrSelected(state)
                    ? (allOrSelected(hwnd(), MergeAll, L"quillet/jobs/merge-all", MergeSelected,
                                                     L"quillet/jobs/merge-selected", state.selectedWithPages() < 2))
                    : MergeAll);
        break;
    case MergeAll:
        mergeJobs(all); // empty jobs too: they are merged away
        break;
    case MergeSelected:
        mergeJobs(selectedJobs());
        break;
    case joblist::RemoveMenu:
        if (asksAllOrSelected(state.selectedCount(), state.all()))
            command((allOrSelected(hwnd(), DeleteAll, L"quillet/jobs/delete-all", DeleteSelected,
                                                   L"quillet/jobs/delete-selected")));
        else
            command(DeleteAll);
        break;
    case DeleteAll:
        deleteAll(true);
        break;
    case DeleteSelected:
        deleteSelected(true);
        break;
    case EmailMenu:
        command(asksAllOrSelected(state.selectedWithPages(), state.withPages())
                    ? (allOrSelected(hwnd(), EmailAll, L"quillet/jobs/email-all", EmailSelected,
                                                     L"quillet/jobs/email-selected"))
                    : EmailAll);
        break;
    case EmailAll:
        emailJobs(withPages(all));
        break;
    case EmailSelected:
        emailJobs(withPages(selectedJobs()));
        break;
    case OpenViewer: {
        const std::vector<Job*> selected = selectedJobs();
        if (selected.size() == 1)
            selected.front()->showInViewer(9, -1); // does nothing for an empty job
        break;
    }
    case PrintSelected: {
        // Only one job prints at a time: with its window's page selection.
        std::vector<JobDlg*> printable;
        for (JobDlg* w : selectedWindows())
            if (!w->job().isEmpty())
                printable.push_back(w);
        if (printable.size() == 1)
            printJob(printable.front()->job(), printable.front()->pageSelection().pages());
        break;
    }
    case MoveUp:
        moveSelected(-1);
        break;
    case MoveDown:
        moveSelected(1);
        break;
    case FaxSelected: {
        // The first selected job goes; one without pages gives no file to fax.
        const std::vector<Job*> selected = selectedJobs();
        if (!selected.empty())
            faxJob(*selected.front());
        break;
    }
    case RotateLeft:
        rotateSelected(-90);
        break;
    case RotateRight:
        rotateSelected(90);
        break;
    case PageNumbers:
        setModes(0);
        break;
    case Views: {
        const int current = static_cast<int>(userConfig_getDword(L"JobDlgDisplayMode", 2));
        const wchar_t* keys[] = {L"quillet/job/views/page-numbers",          L"quillet/job/views/previews/small",
                                 L"quillet/job/views/previews/medium",       L"quillet/job/views/previews/large",
                                 L"quillet/job/views/previews/extra-large", L"quillet/job/views/previews/window-size"};
        HMENU menu = CreatePopupMenu();
        for (UINT m = 0; m < 6; ++m) {
            AppendMenuW(menu, MF_STRING | (static_cast<int>(m) == current ? MF_CHECKED : 0), 8 + m,
                        lang_getStr(keys[m]).c_str());
            if (m == 0)
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
        POINT at = {};
        GetCursorPos(&at);
        const UINT chosen = trackJobMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at, hwnd());
        DestroyMenu(menu);
        if (chosen >= 8 && chosen < 14)
            setModes(static_cast<int>(chosen) - 8);
        break;
    }
    case Sort: {
        const wchar_t* keys[] = {L"quillet/jobs/sort-ascending", L"quillet/jobs/sort-descending",
                                 L"quillet/jobs/sort-natural-ascending", L"quillet/jobs/sort-natural-descending"};
        HMENU menu = CreatePopupMenu();
        for (UINT i = 0; i < 4; ++i)
            AppendMenuW(menu, MF_STRING | (state.all() < 2 ? MF_GRAYED : 0), 10 + i, lang_getStr(keys[i]).c_str());
        POINT at = {};
        GetCursorPos(&at);
        const UINT chosen = trackJobMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at, hwnd());
        DestroyMenu(menu);
        if (chosen >= 10 && chosen < 14)
            sortJobs(static_cast<int>(chosen) - 10);
        break;
    }
    default:
        break;
    }
}

void JobListDlgContainer::undoOrRedo(bool undo)
{
    const JobPlace placeOf = [this](const Job* job) { return indexOf(windowOf(job)); };
    const JobHistoryChange change = undo ? m_store.undo(placeOf) : m_store.redo(placeOf);
    if (change.isEmpty())
        return;
    for (Job* job : change.removed)
        if (JobDlg* w = windowOf(job))
            m_windows.erase(m_windows.begin() + indexOf(w));
    // By ascending place, so each lands where it stood among the others.
    for (const JobHistoryChange::Returned& r : change.returned)
        addJobWindow(*r.job, r.place);
    for (Job* job : change.changed)
        if (JobDlg* w = windowOf(job))
            w->refresh();
    layoutJobs();
    selectionChanged();
}
