// The edit history of the jobs: before each edit the state of the jobs it
// touches (pages and name) is recorded; undo puts a recorded state back and
// keeps the current one for redo. Saving leaves the history alone, and a job
// brought back to an earlier state is unsaved again.
//
// A merge is a step of its own: the merged-away jobs leave the store's list
// for the history, which owns them, untouched, while a step can bring them
// back; undo gives them back to the list (and takes the merged job), redo
// takes them again. A job held this way is deleted when its step goes: pushed
// out by newer steps, ended by a new edit, or with the history.
#pragma once

#include "base/ZString.h"
#include "jobs/Job.h"

#include <functional>
#include <memory>
#include <vector>

// The jobs of a store, owned, in the store's order.
using OwnedJobs = std::vector<std::unique_ptr<Job>>;
// Where a job's window stands in the list (its display index), kept with a job
// that leaves the list so that it comes back there; -1 when it has no window.
using JobPlace = std::function<int(const Job*)>;

// What an undo or redo did, for the windows to follow.
struct JobHistoryChange {
    struct Returned {
        Job* job;
        int place; // the display index it had when it left
    };
    std::vector<Job*> changed;       // pages or name put back
    std::vector<Job*> removed;       // taken out of the store's list
    std::vector<Returned> returned;  // back in the list, by ascending place

    bool isEmpty() const { return changed.empty() && removed.empty() && returned.empty(); }
};

class JobHistory {
public:
    static constexpr size_t kLimit = 100;

    JobHistory() = default;
    ~JobHistory();
    JobHistory(const JobHistory&) = delete;
    JobHistory& operator=(const JobHistory&) = delete;

    // The state of these jobs before an edit; a new edit ends the redo list.
    void record(const std::vector<Job*>& jobs);
    // After a merge: the merged-away jobs leave the list for the history, with
    // their places; undo brings them back and takes the merged job.
    void recordMerge(OwnedJobs& list, Job* merged, const std::vector<Job*>& mergedAway, const JobPlace& placeOf);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // Nothing changes when there is nothing to undo (or redo).
    JobHistoryChange undo(OwnedJobs& list, const JobPlace& placeOf = {});
    JobHistoryChange redo(OwnedJobs& list, const JobPlace& placeOf = {});
    // A job that went away: the steps that name it go with it.
    void forget(const Job* job);
    // Whether a recorded state, or a job held for a step, still points into the document.
    bool usesDocument(const PdfSource* document) const;
    // The jobs held for steps, out of the list.
    size_t heldJobCount() const;
    // Runs after steps went (and the jobs they held were deleted), so that
    // documents nothing refers to any more can be collected.
    void setOnStepsDropped(std::function<void()> onDropped) { m_onDropped = std::move(onDropped); }
    // Every step goes, and every job held for them.
    void clear();

private:
    struct State {
        Job* job;
        std::vector<JobPage> pages;
        ZString name;
    };
    // A job out of the list that applying the step puts back.
    struct Held {
        std::unique_ptr<Job> job;
        size_t index; // in the store's list
        int place;
    };
    struct Step {
        std::vector<State> states;
        std::vector<Held> held;
        std::vector<Job*> taken; // in the list; applying the step takes them out
        bool names(const Job* job) const;
    };
    static Step capture(const std::vector<Job*>& jobs);
    static Step apply(Step& step, OwnedJobs& list, const JobPlace& placeOf, JobHistoryChange& change);
    JobHistoryChange move(std::vector<Step>& from, std::vector<Step>& to, OwnedJobs& list, const JobPlace& placeOf);
    void push(Step step);
    // Drops steps, deletes what they held and forgets the steps naming those jobs.
    void dropped(std::vector<Step> steps);

    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    std::function<void()> m_onDropped;
};
