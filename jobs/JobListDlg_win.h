// JobListDlg: the job list pane of the main window. It owns the container of
// job windows (id 4104's neighbour 4103) and the toolbar above it, turns files
// into job windows and answers the main window's questions about jobs.
#pragma once

#include "gui/BaseWindow.h"
#include "jobs/JobListDlgContainer_win.h"
#include "jobs/JobListToolbar_win.h"

#include <functional>
#include <vector>

class Job;
class JobStore;

class JobListDlg : public BaseWindow {
public:
    static constexpr const wchar_t* kClassName = L"QuilletJobListDlg";

    explicit JobListDlg(JobStore& store);
    ~JobListDlg() override;

    bool create(HWND parent);
    JobListDlgContainer& container() { return m_container; }
    JobListToolbar& toolbar() { return m_toolbar; }
    JobStore& store() { return m_store; }

    // How a dropped file is added (the program's addFile); without it files
    // become jobs directly.
    void setAddFile(std::function<void(const ZString& path, const ZString& name)> addFile);
    // The page drag image list (its image 4 is shown while pages are dragged).
    void setDragImages(HIMAGELIST list) { m_container.setDragImages(list); }

    // Makes a job of the file and shows its window at the end of the list;
    // an empty name gives a new job name.
    bool addJobFromFile(const ZString& path, const ZString& name);
    // A new empty job, shown at the end of the list.
    bool addEmptyJob();
    // The job of the one selected job window; null with none or several.
    Job* currentJob() const;
    // Every job with pages, in the store's creation order.
    std::vector<Job*> jobsWithPages() const;
    bool hasUnsavedJobs() const;
    // The program is closing: thumbnail work stops, pending requests go.
    void programClosing() { m_container.programClosing(); }
    // A command of the main window's menu that concerns the views (8 + mode).
    void setDisplayMode(int mode) { m_container.setModes(mode); }

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layout();

    JobStore& m_store;
    JobListDlgContainer m_container;
    JobListToolbar m_toolbar;
};
