// The edit history of the jobs: before each edit the state of the jobs it
// touches (pages, name, unsaved flag) is recorded; undo puts a recorded state
// back and keeps the current one for redo. Saving leaves the history alone,
// and a job brought back to an earlier state is unsaved again.
#pragma once

#include "base/ZString.h"
#include "jobs/Job.h"

#include <vector>

class JobHistory {
public:
    static constexpr size_t kLimit = 100;

    // The state of these jobs before an edit; a new edit ends the redo list.
    void record(const std::vector<Job*>& jobs);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The jobs whose state changed; empty when there was nothing to undo.
    std::vector<Job*> undo();
    std::vector<Job*> redo();
    // A job that went away: the steps that name it go with it.
    void forget(const Job* job);
    // Whether a recorded state still points into the document.
    bool usesDocument(const PdfSource* document) const;

private:
    struct State {
        Job* job;
        std::vector<JobPage> pages;
        ZString name;
    };
    using Step = std::vector<State>;
    static Step capture(const std::vector<Job*>& jobs);
    static std::vector<Job*> apply(const Step& step);
    std::vector<Job*> move(std::vector<Step>& from, std::vector<Step>& to);

    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
};
