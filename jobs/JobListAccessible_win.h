// The job list as screen readers and other programs see it (MSAA): the list
// (role list) holds one item per job window in display order, named by the
// header as shown, and each job holds one simple element per page, named by
// the first line of the page's tooltip. The objects are made on demand and
// hold only a weak link to the list: once the list is gone, or the job,
// every call answers CO_E_OBJNOTCONNECTED. The focused job or page (the one
// last pressed) is focused while the list has the keyboard.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <memory>

class Job;
class JobListDlgContainer;

class JobListAccessible;

// What the list's objects share: the list while it lives.
struct AccessibleLink {
    JobListDlgContainer* list = nullptr;
};

// Made by the list on the first WM_GETOBJECT and released with it.
class JobListAccessibleRoot {
public:
    explicit JobListAccessibleRoot(JobListDlgContainer& list);
    // Cuts every object off from the list and disconnects the clients.
    ~JobListAccessibleRoot();
    JobListAccessibleRoot(const JobListAccessibleRoot&) = delete;
    JobListAccessibleRoot& operator=(const JobListAccessibleRoot&) = delete;

    // The answer to WM_GETOBJECT for OBJID_CLIENT.
    LRESULT answer(WPARAM wParam);
    // The answer to a job window's WM_GETOBJECT for OBJID_CLIENT: the job's
    // object, a child of the list's.
    LRESULT answerFor(const Job* job, WPARAM wParam);

private:
    std::shared_ptr<AccessibleLink> m_link;
    IAccessible* m_root = nullptr; // one reference
};
