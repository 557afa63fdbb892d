#include "viewer/JobViewer.h"

#include "jobs/JobStore.h"
#include "operations/PdfSource.h"
#include "viewer/PDFViewerBase.h"

#include <algorithm>
#include <optional>

namespace {

std::shared_ptr<PDFViewerBase> makePageDisplay(const PdfSource& source)
{
    return std::make_shared<PDFViewerBase>(source.path(), source.pageCount(), source.displayName());
}

} // namespace

void installPageDisplays() { PdfSource::setViewerMaker(&makePageDisplay); }

JobViewer::JobViewer(Job& job, HINSTANCE module) : PDFViewer(module), m_job(job) { installPageDisplays(); }

JobViewer::~JobViewer() = default;

void JobViewer::showJobPage(int page)
{
    if (m_job.isEmpty())
        return;
    page = std::clamp(page, 1, m_job.pageCount());
    const JobPage at = *m_job.page(page);
    m_jobPage = page;
    if (at.document != nullptr) {
        setPageDisplay(at.document->viewer());
        if (PDFViewerBase* display = pageDisplay()) {
            display->showPage(at.pageNumber);
            // The job's next page is made ready in its own file's display.
            const std::optional<JobPage> next = m_job.page(page + 1);
            if (next && next->document == at.document) {
                display->setNextPage(next->pageNumber);
            } else {
                display->setNextPage(-1);
                if (next && next->document != nullptr)
                    next->document->viewer()->setNextPage(next->pageNumber);
            }
        }
    }
    setPageCount(m_job.pageCount());
    updateLabels();
}

void installJobViewers(JobStore& store, HWND owner)
{
    installPageDisplays();
    store.setViewerFactory([owner](Job& job) -> std::unique_ptr<IJobViewer> {
        auto viewer = std::make_unique<JobViewer>(job);
        if (!viewer->create(owner, job.name()))
            return nullptr;
        return viewer;
    });
}
