// A job: a document being assembled, an ordered list of references to pages
// of source PDFs, each with an extra rotation. Changing a job never touches a
// file; only saving composes a new one. Page numbers are 1-based everywhere.
#pragma once

#include "base/ZString.h"
#include "jobs/JobViewing.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class PdfSource;
class JobStore;

struct JobPage {
    PdfSource* document = nullptr; // not owned; the job store owns the documents
    int pageNumber = 0;            // the page's number inside its document, 1-based
    int rotation = 0;              // degrees added when composing, kept within -270..270
};

class Job {
public:
    explicit Job(const ZString& name, JobStore* store = nullptr) : m_name(name), m_store(store) {}
    // Its viewer goes with it.
    virtual ~Job();
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    const ZString& name() const { return m_name; }
    void setName(const ZString& name) { m_name = name; }
    JobStore* store() const { return m_store; }
    bool isUnsaved() const { return m_unsaved; }
    bool isModified() const { return m_modified; }
    void setUnsaved(bool unsaved) { m_unsaved = unsaved; }

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    bool isEmpty() const { return pageCount() < 1; }
    // The page at n; nothing for numbers outside 1..page count.
    std::optional<JobPage> page(int n) const;
    // The extra rotation of page n; 0 outside 1..page count.
    int rotation(int n) const;
    const std::vector<JobPage>& pages() const { return m_pages; }
    bool usesDocument(const PdfSource* document) const;

    // Removes every page whose number is listed; the others keep their order.
    void deletePages(const std::vector<int>& numbers);
    // Inserts copies of other's listed pages, in list order, before position
    // (clamped to 0..page count). Nothing when the list is empty or other is
    // missing or this job.
    void insertPagesFrom(const Job* other, int position, const std::vector<int>& numbers);
    // Moves the listed pages, in list order, before position; nothing when they
    // form one run and would stay where they are.
    void movePages(int position, const std::vector<int>& numbers);
    void appendAllPagesOf(const Job* other);
    // Adds degrees to each listed page inside 1..page count, keeping the
    // remainder of 360 with its sign: 0-90 = -90, -270-90 = 0, 270+90 = 0.
    void rotate(int degrees, const std::vector<int>& numbers);
    void rotateAll(int degrees);

    // The folder the job's file came from when it still exists and is not a
    // temporary folder; else empty.
    ZString sourceFolderForSaving() const;
    const ZString& sourceFolder() const { return m_sourceFolder; }
    void setSourceFolder(const ZString& folder) { m_sourceFolder = folder; }

    // Called by the store when a job is made from a file: its pages, unchanged.
    void setInitialPages(std::vector<JobPage> pages) { m_pages = std::move(pages); }

    // Shows the job in its viewer (made through the store's viewer factory
    // when missing) at the page, or for -1 at the viewer's own page (else 1).
    // Nothing for an empty job. Another job's viewer that was current is
    // hidden and closed; this one is shown with the show command when hidden
    // and becomes the current viewer.
    void showInViewer(int showCommand, int page);
    // The job's viewer, none until it is shown and after every change.
    IJobViewer* viewer() const { return m_viewer.get(); }
    // Puts back pages and name recorded earlier (undo and redo); counts as a change.
    void restore(std::vector<JobPage> pages, const ZString& name);

    // Runs after every change (the viewer uses it to close itself).
    void setChangeListener(std::function<void()> listener) { m_onChange = std::move(listener); }
    // Closes and deletes the viewer; it is no longer the current one.
    void dropViewer();

private:
    void changed();

    ZString m_name;
    JobStore* m_store;
    bool m_unsaved = false;
    bool m_modified = false;
    std::vector<JobPage> m_pages;
    ZString m_sourceFolder;
    std::function<void()> m_onChange;
    std::unique_ptr<IJobViewer> m_viewer;
};
