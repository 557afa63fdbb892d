// JobDlgDataObject: the data object of job windows dragged out of the job
// list. Inside the program it is recognised through IJobDlg and never asked
// for data. Outside, the first request for files asks for a format (the
// format-options dialog) and saves every selected job with pages into a new
// folder under the temporary "Tamlo" folder; those files are offered as
// virtual files only.
#pragma once

#include "explorer/FileDataObject_win.h"
#include "jobs/JobDlgInterface_win.h"

#include <functional>
#include <vector>

class Job;

class JobDlgDataObject : public ole::FileDataObject, public IJobDlg {
public:
    // selectedJobs gives the jobs of the selected job windows, in display
    // order, at the time the files are made (jobs may have gone since the drag began).
    explicit JobDlgDataObject(std::function<std::vector<Job*>()> selectedJobs);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ole::FileDataObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return ole::FileDataObject::Release(); }

protected:
    void populate() override;

private:
    std::function<std::vector<Job*>()> m_selectedJobs;
};
