#include "jobs/JobHistory.h"

#include <algorithm>

JobHistory::Step JobHistory::capture(const std::vector<Job*>& jobs)
{
    Step step;
    for (Job* job : jobs)
        if (job != nullptr)
            step.push_back({job, job->pages(), job->name()});
    return step;
}

std::vector<Job*> JobHistory::apply(const Step& step)
{
    std::vector<Job*> jobs;
    for (const State& s : step) {
        s.job->restore(s.pages, s.name);
        jobs.push_back(s.job);
    }
    return jobs;
}

void JobHistory::record(const std::vector<Job*>& jobs)
{
    Step step = capture(jobs);
    if (step.empty())
        return;
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kLimit)
        m_undo.erase(m_undo.begin());
    m_redo.clear();
}

std::vector<Job*> JobHistory::move(std::vector<Step>& from, std::vector<Step>& to)
{
    if (from.empty())
        return {};
    Step step = std::move(from.back());
    from.pop_back();
    std::vector<Job*> jobs;
    for (const State& s : step)
        jobs.push_back(s.job);
    to.push_back(capture(jobs));
    return apply(step);
}

std::vector<Job*> JobHistory::undo() { return move(m_undo, m_redo); }

std::vector<Job*> JobHistory::redo() { return move(m_redo, m_undo); }

void JobHistory::forget(const Job* job)
{
    auto names = [job](const Step& step) {
        return std::any_of(step.begin(), step.end(), [job](const State& s) { return s.job == job; });
    };
    std::erase_if(m_undo, names);
    std::erase_if(m_redo, names);
}

bool JobHistory::usesDocument(const PdfSource* document) const
{
    for (const auto* list : {&m_undo, &m_redo})
        for (const Step& step : *list)
            for (const State& s : step)
                for (const JobPage& p : s.pages)
                    if (p.document == document)
                        return true;
    return false;
}
