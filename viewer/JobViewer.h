// The viewer of one job: pages are job pages, each shown by the page display
// of the file it comes from; closing only hides it. The job owns it through
// the job viewer interface.
#pragma once

#include "jobs/Job.h"
#include "viewer/PDFViewer.h"

class JobViewer : public PDFViewer, public IJobViewer {
public:
    JobViewer(Job& job, HINSTANCE module = GetModuleHandleW(nullptr));
    ~JobViewer() override;

    // Shows job page n (clamped to the job's pages): attaches the page
    // display of its file and requests the page there.
    void showJobPage(int page) override;
    int currentJobPage() const override { return m_jobPage; }
    bool isShown() const override { return isVisible(); }
    // Commands beyond the system's own (17: view at a page) show it as it was;
    // passed through, they would leave a hidden viewer hidden.
    void showWindow(int showCommand) override
    {
        show(showCommand >= 0 && showCommand <= SW_MAX ? showCommand : SW_SHOW);
    }
    void hideWindow() override { show(SW_HIDE); }
    void close() override { show(SW_HIDE); }

    Job& job() const { return m_job; }

protected:
    int fieldPage() const override { return m_jobPage; }
    int fieldPageCount() const override { return m_job.pageCount(); }
    void goToPage(int page) override { showJobPage(page); }

private:
    Job& m_job;
    int m_jobPage = 0;
};

// PdfSource::viewer makes page displays from here on.
void installPageDisplays();

// Makes job viewers for the job store, owned by the given window (the main
// window's splitter).
void installJobViewers(JobStore& store, HWND owner);
