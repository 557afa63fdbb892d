#include "app/InterimJobs.h"

#include "jobs/JobStore.h"

bool InterimJobList::create(HWND parent)
{
    m_hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                             GetModuleHandleW(nullptr), nullptr);
    return m_hwnd != nullptr;
}

bool InterimJobList::addJobFromFile(const ZString& path, const ZString& name)
{
    Job* job = ::addJobFromFile(m_store, path, name, GetAncestor(m_hwnd, GA_ROOT));
    if (job == nullptr)
        return false;
    show(job);
    return true;
}

void InterimJobList::show(Job* job)
{
    m_shown.push_back(job);
    SendMessageW(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(job->name().c_str()));
}

bool InterimJobList::addEmptyJob()
{
    Job* job = m_store.createEmptyJob();
    if (job == nullptr)
        return false;
    show(job);
    SendMessageW(m_hwnd, LB_SETCURSEL, m_shown.size() - 1, 0);
    return true;
}

Job* InterimJobList::currentJob() const
{
    const LRESULT index = SendMessageW(m_hwnd, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || static_cast<size_t>(index) >= m_shown.size())
        return nullptr;
    return m_store.indexOf(m_shown[static_cast<size_t>(index)]) >= 0 ? m_shown[static_cast<size_t>(index)] : nullptr;
}

std::vector<Job*> InterimJobList::jobsWithPages() const
{
    std::vector<Job*> jobs;
    for (int i = 0; i < m_store.jobCount(); ++i)
        if (m_store.job(i)->pageCount() > 0)
            jobs.push_back(m_store.job(i));
    return jobs;
}

bool InterimJobList::hasUnsavedJobs() const { return m_store.unsavedJobCount() > 0; }
