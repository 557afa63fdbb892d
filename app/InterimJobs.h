// A small job store and job list that stand in until the job model and the job
// list window exist. A job here is only a name and a private copy of its PDF;
// the list shows the job names in a plain list box (readable from another
// process with LB_GETTEXT).
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <memory>
#include <vector>

struct InterimJob {
    ZString name;
    ZString privateCopy;  // the program's own copy of the file
    ZString sourceFolder; // where the file came from
};

class InterimJobStore {
public:
    InterimJobStore() = default;
    // Deletes every private copy (at exit when a copy is held).
    ~InterimJobStore();
    InterimJobStore(const InterimJobStore&) = delete;
    InterimJobStore& operator=(const InterimJobStore&) = delete;

    size_t jobCount() const { return m_jobs.size(); }
    const InterimJob& job(size_t index) const { return *m_jobs[index]; }
    // Copies an existing ".pdf" file into the temporary folder and makes a job of
    // it; null when the file is not a PDF or cannot be copied (the copy error box
    // is shown, owned by owner).
    const InterimJob* createJobFromFile(const ZString& name, const ZString& path, HWND owner);

private:
    std::vector<std::unique_ptr<InterimJob>> m_jobs;
};

class InterimJobList {
public:
    // The list box's control id inside the main window.
    static constexpr int kControlId = 4103;

    explicit InterimJobList(InterimJobStore& store) : m_store(store) {}
    bool create(HWND parent);
    HWND hwnd() const { return m_hwnd; }

    // Makes a job of the file and shows it; an empty name gives a new job name.
    bool addJobFromFile(const ZString& path, const ZString& name);

private:
    InterimJobStore& m_store;
    HWND m_hwnd = nullptr;
};
