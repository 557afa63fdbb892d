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
    const Job* job = ::addJobFromFile(m_store, path, name, GetAncestor(m_hwnd, GA_ROOT));
    if (job == nullptr)
        return false;
    SendMessageW(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(job->name().c_str()));
    return true;
}
