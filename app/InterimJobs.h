// A plain job list that stands in until the job list window exists: it adds
// jobs to the job store and shows their names in a list box (readable from
// another process with LB_GETTEXT).
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <vector>

class Job;
class JobStore;

class InterimJobList {
public:
    // The list box's control id inside the main window.
    static constexpr int kControlId = 4103;

    explicit InterimJobList(JobStore& store) : m_store(store) {}
    bool create(HWND parent);
    HWND hwnd() const { return m_hwnd; }
    JobStore& store() const { return m_store; }

    // Makes a job of the file and shows it; an empty name gives a new job name.
    bool addJobFromFile(const ZString& path, const ZString& name);
    // A new empty job, shown and selected.
    bool addEmptyJob();
    // The job of the one selected line; null with none selected.
    Job* currentJob() const;
    // Every job with pages (what saving all of them saves).
    std::vector<Job*> jobsWithPages() const;
    bool hasUnsavedJobs() const;

private:
    void show(Job* job);

    JobStore& m_store;
    std::vector<Job*> m_shown; // in list order
    HWND m_hwnd = nullptr;
};
