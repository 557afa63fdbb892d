#include "jobs/JobStore.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "gui/Messages.h"
#include "operations/Conversions.h"
#include "operations/PdfSource.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <string>

namespace {

// Whether the file holds a page tree to take pages from, or PostScript for the
// interpreter to draw them: when neither, what the interpreter's repair makes
// of it is an empty page of its own, never a page of the file.
bool mayHoldPages(const ZString& path)
{
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return false;
    if (bytes.find("/Page") != std::string::npos)
        return true;
    // PostScript, also behind the binary header of an EPS file.
    const size_t start = bytes.compare(0, 4, "\xC5\xD0\xD3\xC6") == 0 ? 30 : 0;
    return bytes.compare(start, 2, "%!") == 0;
}

std::atomic<int> g_newJobCounter{0};

bool endsWithPdf(const ZString& path)
{
    ZString lower(path);
    return lower.toLower().endsWith(L".pdf");
}

} // namespace

ZString newJobName()
{
    return ZString::format(L"%ls%d", lang_getStr(L"quillet/jobs/~name-for-new-job").c_str(), g_newJobCounter++);
}

JobStore::JobStore()
{
    // Steps that go may have held the last references to documents.
    m_history.setOnStepsDropped([this] { collectUnusedDocuments(); });
}

JobStore::~JobStore()
{
    m_history.setOnStepsDropped({});
    m_history.clear(); // the merged-away jobs it held, before the documents they use
    m_jobs.clear();
    m_documents.clear();
}

int JobStore::nonEmptyJobCount() const
{
    return static_cast<int>(std::count_if(m_jobs.begin(), m_jobs.end(), [](const auto& j) { return !j->isEmpty(); }));
}

int JobStore::unsavedJobCount() const
{
    return static_cast<int>(std::count_if(m_jobs.begin(), m_jobs.end(),
                                          [](const auto& j) { return !j->isEmpty() && j->isUnsaved(); }));
}

Job* JobStore::job(int index) const
{
    return index >= 0 && index < jobCount() ? m_jobs[static_cast<size_t>(index)].get() : nullptr;
}

int JobStore::indexOf(const Job* job) const
{
    for (int i = 0; i < jobCount(); ++i)
        if (m_jobs[static_cast<size_t>(i)].get() == job)
            return i;
    return -1;
}

Job* JobStore::createJobFromFile(const ZString& name, const ZString& path, ZString& reason)
{
    if (!isFile(path) || !endsWithPdf(path))
        return nullptr;
    const ZString copy = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    if (!copyFileRetry(path, copy, messageOwner()))
        return nullptr;
    try {
        auto document = std::make_unique<PdfSource>(copy, name);
        PdfSource* source = document.get();
        m_documents.push_back(std::move(document));
        auto job = std::make_unique<Job>(name, this);
        std::vector<JobPage> pages;
        for (int n = 1; n <= source->pageCount(); ++n)
            pages.push_back({source, n, 0});
        job->setInitialPages(std::move(pages));
        job->setSourceFolder(folderPart(path));
        m_jobs.push_back(std::move(job));
        return m_jobs.back().get();
    } catch (const std::exception& e) {
        deleteFile(copy, true);
        reason.append(widenBytes(e.what()));
    } catch (...) {
        deleteFile(copy, true);
    }
    return nullptr;
}

Job* JobStore::createEmptyJob()
{
    m_jobs.push_back(std::make_unique<Job>(newJobName(), this));
    return m_jobs.back().get();
}

Job* JobStore::merge(const std::vector<Job*>& jobs, const JobPlace& placeOf)
{
    if (jobCount() < 2 || jobs.size() < 2)
        return nullptr;
    Job* merged = createEmptyJob();
    std::vector<Job*> mergedAway;
    for (Job* job : jobs) {
        if (indexOf(job) < 0)
            continue;
        merged->appendAllPagesOf(job);
        mergedAway.push_back(job);
    }
    m_history.recordMerge(m_jobs, merged, mergedAway, placeOf);
    collectUnusedDocuments();
    return merged;
}

JobHistoryChange JobStore::undo(const JobPlace& placeOf) { return m_history.undo(m_jobs, placeOf); }

JobHistoryChange JobStore::redo(const JobPlace& placeOf) { return m_history.redo(m_jobs, placeOf); }

void JobStore::removeJob(Job* job)
{
    const int index = indexOf(job);
    if (index < 0)
        return;
    m_history.forget(job);
    m_jobs.erase(m_jobs.begin() + index);
    collectUnusedDocuments();
}

void JobStore::collectUnusedDocuments()
{
    auto unused = [this](const std::unique_ptr<PdfSource>& document) {
        return std::none_of(m_jobs.begin(), m_jobs.end(),
                            [&](const std::unique_ptr<Job>& job) { return job->usesDocument(document.get()); }) &&
               !m_history.usesDocument(document.get());
    };
    m_documents.erase(std::remove_if(m_documents.begin(), m_documents.end(), unused), m_documents.end());
}

PdfSource* JobStore::addDocument(std::unique_ptr<PdfSource> document)
{
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

Job* addJobFromFile(JobStore& store, const ZString& path, const ZString& name, HWND owner)
{
    if (!pathExists(path))
        return nullptr;
    const ZString jobName = name.isEmpty() ? newJobName() : name;
    ZString reason;
    Job* job = store.createJobFromFile(jobName, path, reason);
    if (job == nullptr) {
        // One repair: the interpreter rewrites the file, which often mends what we cannot read.
        const ZString repaired = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
        bool cancelled = false;
        if (convertPsToPdf(path, repaired, owner, &cancelled) && isFile(repaired) && mayHoldPages(path)) {
            ZString ignored; // the reason the original failed is the one to tell
            job = store.createJobFromFile(jobName, repaired, ignored);
            if (job != nullptr && job->isEmpty()) {
                store.removeJob(job);
                job = nullptr;
            }
            if (job != nullptr)
                job->setSourceFolder(folderPart(path)); // the user's folder, not ours
        }
        deleteFile(repaired, false);
        if (cancelled)
            return nullptr; // the user's own choice, not an error
    }
    if (job == nullptr) {
        ZString text(lang_getStr(L"quillet/jobs/error-while-creating-job"));
        text.append(L"\r\n").append(path);
        text.append(L"\r\nReason: ").append(reason).append(L"\r\n\r\n");
        text.append(lang_getStr(L"quillet/jobs/try-print-on-pdf-printer-to-create-compatible-file"));
        showError(text);
    }
    return job;
}
