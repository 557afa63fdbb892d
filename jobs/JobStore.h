// JobStore: owns every job (in creation order) and every source document
// their pages point into. A document lives while a job uses it; it is
// collected (and its private file deleted) at the next removal or merge.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"
#include "jobs/Job.h"
#include "jobs/JobHistory.h"

#include <memory>
#include <vector>

class PdfSource;

class JobStore {
public:
    JobStore();
    // Deletes every job, then every document.
    ~JobStore();
    JobStore(const JobStore&) = delete;
    JobStore& operator=(const JobStore&) = delete;

    int jobCount() const { return static_cast<int>(m_jobs.size()); }
    // Jobs with at least one page.
    int nonEmptyJobCount() const;
    // Jobs with at least one page that are unsaved.
    int unsavedJobCount() const;
    Job* job(int index) const;
    int indexOf(const Job* job) const;
    int documentCount() const { return static_cast<int>(m_documents.size()); }

    // Copies the PDF at path into the temporary folder, opens the copy and
    // makes a job of all its pages, unchanged. Null when the path is not an
    // existing ".pdf" file, the copy fails (the copy error box is shown) or the
    // copy cannot be opened; then the reason is appended to reason.
    Job* createJobFromFile(const ZString& name, const ZString& path, ZString& reason);
    // An empty job with a new job name.
    Job* createEmptyJob();
    // A new job with the pages of the given jobs in turn; the given jobs leave
    // the store for the history, which undoes the merge by giving them back
    // (placeOf tells where their windows stood). Null unless the store holds
    // 2 jobs or more and 2 or more are given.
    Job* merge(const std::vector<Job*>& jobs, const JobPlace& placeOf = {});
    // Removes and deletes the job, then collects unused documents.
    void removeJob(Job* job);
    // Destroys every document no job refers to (deleting its file).
    void collectUnusedDocuments();
    // Takes over a document (a blank page's file, for instance).
    PdfSource* addDocument(std::unique_ptr<PdfSource> document);
    // The edit history of the jobs; documents it still points into are kept.
    JobHistory& history() { return m_history; }
    // Undo and redo of the last edit or merge; placeOf tells where the windows
    // of jobs that leave the store stand.
    JobHistoryChange undo(const JobPlace& placeOf = {});
    JobHistoryChange redo(const JobPlace& placeOf = {});

    // How job viewers are made (none: jobs are not shown).
    void setViewerFactory(JobViewerFactory factory) { m_viewerFactory = std::move(factory); }
    const JobViewerFactory& viewerFactory() const { return m_viewerFactory; }
    // The job whose viewer was shown last and is still open; none.
    Job* currentViewerJob() const { return m_currentViewerJob; }
    void setCurrentViewerJob(Job* job) { m_currentViewerJob = job; }

private:
    JobViewerFactory m_viewerFactory;
    Job* m_currentViewerJob = nullptr;
    std::vector<std::unique_ptr<Job>> m_jobs;
    std::vector<std::unique_ptr<PdfSource>> m_documents;
    JobHistory m_history;
};

// The text of "quillet/jobs/~name-for-new-job" followed by a process-wide
// counter: the first name ends in 0, the next in 1, ...
ZString newJobName();

// Adds a job from a file as the job list does: an empty name gives a new job
// name; a file that cannot be opened is rewritten once by the interpreter
// (progress window owned by owner) and tried again; when there is still no
// job the user is told why. Null when no job was made.
Job* addJobFromFile(JobStore& store, const ZString& path, const ZString& name, HWND owner);
