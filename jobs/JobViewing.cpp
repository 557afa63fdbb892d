#include "jobs/Job.h"
#include "jobs/JobStore.h"

Job::~Job() { dropViewer(); }

void Job::dropViewer()
{
    if (m_store != nullptr && m_store->currentViewerJob() == this)
        m_store->setCurrentViewerJob(nullptr);
    if (m_viewer) {
        m_viewer->close();
        m_viewer.reset();
    }
}

void Job::showInViewer(int showCommand, int page)
{
    if (isEmpty() || m_store == nullptr)
        return;
    if (!m_viewer && m_store->viewerFactory())
        m_viewer = m_store->viewerFactory()(*this);
    if (!m_viewer)
        return;
    Job* current = m_store->currentViewerJob();
    if (current != nullptr && current != this && current->m_viewer) {
        current->m_viewer->hideWindow();
        current->m_viewer->close();
    }
    if (!m_viewer->isShown())
        m_viewer->showWindow(showCommand);
    m_store->setCurrentViewerJob(this);
    if (page == -1)
        page = m_viewer->currentJobPage() > 0 ? m_viewer->currentJobPage() : 1;
    m_viewer->showJobPage(page);
}
