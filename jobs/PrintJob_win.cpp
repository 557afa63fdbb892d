#include "jobs/PrintJob.h"

#include "base/Files.h"
#include "gui/Messages.h"
#include "jobs/Job.h"
#include "jobs/SaveJobs.h"

JobPrint::JobPrint(Job& job, const std::vector<int>& selection, HWND owner)
{
    if (job.isEmpty())
        return;
    m_pdf = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    // Composing marks a job saved; a print leaves that as it was.
    const bool wasUnsaved = job.isUnsaved();
    const bool composed = saveJob(job, m_pdf, owner);
    job.setUnsaved(wasUnsaved);
    if (!composed)
        return;
    std::vector<PrintPageEntry> pages;
    for (int page = 1; page <= job.pageCount(); ++page)
        pages.push_back({m_pdf, static_cast<uint32_t>(page)});
    std::vector<PrintPageEntry> selected;
    for (int page : selection)
        if (page >= 1 && page <= job.pageCount())
            selected.push_back({m_pdf, static_cast<uint32_t>(page)});
    m_printer = std::make_unique<PDFPrinter>(std::move(pages), std::move(selected));
}

JobPrint::~JobPrint()
{
    m_printer.reset();
    if (!m_pdf.isEmpty())
        deleteFile(m_pdf, true);
}

namespace {

ZString& jobPrintOutputFile()
{
    static ZString path;
    return path;
}

} // namespace

void setJobPrintOutputFile(const ZString& path) { jobPrintOutputFile() = path; }

bool printJob(Job& job, const std::vector<int>& selection)
{
    JobPrint composed(job, selection, messageOwner());
    if (!composed.isReady())
        return false;
    composed.printer().setOutputFile(jobPrintOutputFile());
    return print(messageOwner(), composed.printer());
}
