#include "jobs/JobHistory.h"

#include <algorithm>

JobHistory::~JobHistory()
{
    m_onDropped = nullptr;
    clear();
}

bool JobHistory::Step::names(const Job* job) const
{
    return std::any_of(states.begin(), states.end(), [job](const State& s) { return s.job == job; }) ||
           std::any_of(held.begin(), held.end(), [job](const Held& h) { return h.job.get() == job; }) ||
           std::find(taken.begin(), taken.end(), job) != taken.end();
}

JobHistory::Step JobHistory::capture(const std::vector<Job*>& jobs)
{
    Step step;
    for (Job* job : jobs)
        if (job != nullptr)
            step.states.push_back({job, job->pages(), job->name()});
    return step;
}

JobHistory::Step JobHistory::apply(Step& step, OwnedJobs& list, const JobPlace& placeOf, JobHistoryChange& change)
{
    std::vector<Job*> stated;
    for (const State& s : step.states)
        stated.push_back(s.job);
    Step inverse = capture(stated);
    for (const State& s : step.states) {
        s.job->restore(s.pages, s.name);
        change.changed.push_back(s.job);
    }

    // Out of the list, from the back, so that the indexes noted are the ones
    // to put them back at, front first.
    std::vector<size_t> indexes;
    for (Job* job : step.taken) {
        const auto at = std::find_if(list.begin(), list.end(), [job](const auto& j) { return j.get() == job; });
        if (at != list.end())
            indexes.push_back(static_cast<size_t>(at - list.begin()));
    }
    std::sort(indexes.begin(), indexes.end());
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index) {
        std::unique_ptr<Job> job = std::move(list[*index]);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(*index));
        const int place = placeOf ? placeOf(job.get()) : -1;
        job->dropViewer();
        change.removed.insert(change.removed.begin(), job.get());
        inverse.held.insert(inverse.held.begin(), Held{std::move(job), *index, place});
    }

    std::sort(step.held.begin(), step.held.end(), [](const Held& a, const Held& b) { return a.index < b.index; });
    for (Held& h : step.held) {
        Job* job = h.job.get();
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(h.index, list.size())), std::move(h.job));
        inverse.taken.push_back(job);
        change.returned.push_back({job, h.place});
    }
    step.held.clear();
    std::stable_sort(change.returned.begin(), change.returned.end(),
                     [](const JobHistoryChange::Returned& a, const JobHistoryChange::Returned& b) {
                         return a.place < b.place;
                     });
    return inverse;
}

void JobHistory::push(Step step)
{
    m_undo.push_back(std::move(step));
    std::vector<Step> gone;
    if (m_undo.size() > kLimit) {
        gone.push_back(std::move(m_undo.front()));
        m_undo.erase(m_undo.begin());
    }
    for (Step& s : m_redo)
        gone.push_back(std::move(s));
    m_redo.clear();
    if (!gone.empty())
        dropped(std::move(gone));
}

void JobHistory::record(const std::vector<Job*>& jobs)
{
    Step step = capture(jobs);
    if (!step.states.empty())
        push(std::move(step));
}

void JobHistory::recordMerge(OwnedJobs& list, Job* merged, const std::vector<Job*>& mergedAway,
                             const JobPlace& placeOf)
{
    // Taking the merged-away jobs out is the merge step's own redo; what it
    // leaves is the step that undoes the merge.
    Step takeAway;
    for (Job* job : mergedAway)
        if (job != merged && std::find(takeAway.taken.begin(), takeAway.taken.end(), job) == takeAway.taken.end())
            takeAway.taken.push_back(job);
    JobHistoryChange ignored;
    Step undoMerge = apply(takeAway, list, placeOf, ignored);
    undoMerge.taken.push_back(merged);
    push(std::move(undoMerge));
}

JobHistoryChange JobHistory::move(std::vector<Step>& from, std::vector<Step>& to, OwnedJobs& list,
                                  const JobPlace& placeOf)
{
    JobHistoryChange change;
    if (from.empty())
        return change;
    Step step = std::move(from.back());
    from.pop_back();
    to.push_back(apply(step, list, placeOf, change));
    return change;
}

JobHistoryChange JobHistory::undo(OwnedJobs& list, const JobPlace& placeOf)
{
    return move(m_undo, m_redo, list, placeOf);
}

JobHistoryChange JobHistory::redo(OwnedJobs& list, const JobPlace& placeOf)
{
    return move(m_redo, m_undo, list, placeOf);
}

void JobHistory::dropped(std::vector<Step> steps)
{
    // A deleted job takes the steps that name it along, and what they held.
    std::vector<std::unique_ptr<Job>> deleted;
    while (!steps.empty()) {
        std::vector<const Job*> gone;
        for (Step& s : steps)
            for (Held& h : s.held) {
                gone.push_back(h.job.get());
                deleted.push_back(std::move(h.job));
            }
        steps.clear();
        for (auto* list : {&m_undo, &m_redo})
            for (auto s = list->begin(); s != list->end();) {
                if (std::any_of(gone.begin(), gone.end(), [&](const Job* job) { return s->names(job); })) {
                    steps.push_back(std::move(*s));
                    s = list->erase(s);
                } else {
                    ++s;
                }
            }
    }
    deleted.clear();
    if (m_onDropped)
        m_onDropped();
}

void JobHistory::forget(const Job* job)
{
    std::vector<Step> gone;
    for (auto* list : {&m_undo, &m_redo})
        for (auto s = list->begin(); s != list->end();) {
            if (s->names(job)) {
                gone.push_back(std::move(*s));
                s = list->erase(s);
            } else {
                ++s;
            }
        }
    if (!gone.empty())
        dropped(std::move(gone));
}

void JobHistory::clear()
{
    std::vector<Step> gone;
    for (auto* list : {&m_undo, &m_redo}) {
        for (Step& s : *list)
            gone.push_back(std::move(s));
        list->clear();
    }
    dropped(std::move(gone));
}

bool JobHistory::usesDocument(const PdfSource* document) const
{
    for (const auto* list : {&m_undo, &m_redo})
        for (const Step& step : *list) {
            for (const State& s : step.states)
                for (const JobPage& p : s.pages)
                    if (p.document == document)
                        return true;
            for (const Held& h : step.held)
                if (h.job->usesDocument(document))
                    return true;
        }
    return false;
}

size_t JobHistory::heldJobCount() const
{
    size_t count = 0;
    for (const auto* list : {&m_undo, &m_redo})
        for (const Step& step : *list)
            count += step.held.size();
    return count;
}
