#include "jobs/Compose.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/TextUtil.h"
#include "jobs/ComposeDirect.h"
#include "jobs/Job.h"
#include "operations/ChildProcess.h"
#include "operations/ComposePages.h"
#include "operations/PdfSource.h"
#include "zpdf/Document.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace {

bool aborted(AbortControl* control) { return control != nullptr && control->isAborted(); }

bool hasRotatedPage(const Job& job)
{
    for (const JobPage& page : job.pages())
        if (page.rotation != 0)
            return true;
    return false;
}

// The merged file a with the job's rotations, written to b.
void applyRotations(const Job& job, const ZString& a, const ZString& b)
{
    zpdf::Document document(a);
    for (int n = 1; n <= job.pageCount(); ++n) {
        const int rotation = job.rotation(n);
        if (rotation == 0)
            continue;
        const auto page = document.getPage(n - 1);
        if (!page)
            throw std::runtime_error("Invalid page number");
        page->rotate(rotation, false);
    }
    document.save(b);
}

} // namespace

void checkComposedPageCount(const Job& job, const ZString& file)
{
    int pages = -1;
    try {
        zpdf::Document document(file);
        pages = document.getPageCount();
    } catch (const std::exception&) {
        pages = -1; // unreadable: counts as a mismatch
    }
    if (pages == job.pageCount())
        return;
    ZString text(lang_getStr(L"quillet/jobs/~composed-page-count-differs"));
    text.replaceAll(L"{PAGE_COUNT}", ZString::format(L"%d", pages < 0 ? 0 : pages));
    text.replaceAll(L"{JOB_PAGE_COUNT}", ZString::format(L"%d", job.pageCount()));
    throw ComposeError(text);
}

void compose(Job& job, const ZString& target, AbortControl* control)
{
    if (job.isEmpty())
        return;
    const ZString a = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    // Written by our library, A has the job's rotations already.
    DirectCompose direct = DirectCompose::Unreadable;
    if (!job.isModified()) {
        copyFileRetry(job.page(1)->document->path(), a, nullptr);
    } else if (!composeWithInterpreter() &&
               (direct = composeDirectly(job, a, control)) != DirectCompose::Unreadable) {
        if (direct == DirectCompose::Aborted) {
            deleteFile(a, false);
            return;
        }
    } else {
        std::vector<PageEntry> entries;
        for (const JobPage& page : job.pages()) {
            const ZString source = page.document->normalizedPdf(control);
            if (aborted(control) || source.isEmpty()) {
                deleteFile(a, false);
                return;
            }
            entries.push_back({source, static_cast<uint32_t>(page.document->pageCount()),
                               static_cast<uint32_t>(page.pageNumber)});
        }
        composePages(entries, a, control);
    }
    if (!isFile(a) || aborted(control)) {
        deleteFile(a, false);
        return;
    }
    ZString b = a;
    if (direct != DirectCompose::Written && hasRotatedPage(job)) {
        b = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
        try {
            applyRotations(job, a, b);
        } catch (...) {
            deleteFile(a, false);
            deleteFile(b, false);
            throw;
        }
        deleteFile(a, false);
    }
    if (isFile(b) && !aborted(control)) {
        try {
            checkComposedPageCount(job, b);
        } catch (...) {
            deleteFile(b, false);
            throw;
        }
        copyFileRetry(b, target, nullptr);
        DeleteFileW(b.c_str());
        job.setUnsaved(false);
    } else {
        deleteFile(b, false);
    }
}

void AssembleOperation::contextChanged()
{
    ZString message(lang_getStr(L"quillet/operation/compose-job"));
    message.replaceAll(L"{JOB_NAME}", m_job->name());
    context().setMessage(message);
    context().setExpectedDuration((m_job->pageCount() + 1) * 500);
}

void AssembleOperation::run()
{
    try {
        compose(*m_job, m_target, &abortControl());
        if (!isFile(m_target) && !abortControl().isAborted())
            m_failure = lang_getStr(L"quillet/jobs/~composed-file-missing");
    } catch (const ComposeError& e) {
        m_failure = e.text();
    } catch (const std::exception& e) {
        // The target stays unwritten; the caller sees that it does not exist.
        m_failure = widenBytes(e.what());
        fprintf(stdout, "compose: %s\n", e.what());
        fflush(stdout);
    }
    if (isCancelled())
        m_failure = ZString();
}
