// Composing a job into one PDF file: the job's pages in the job's order, with
// their extra rotations. Our PDF library copies the pages with the rotations
// (see ComposeDirect.h). When a source defeats it, or the installation sets
// "ComposeWithInterpreter" to 1, the interpreter copies them instead (cut into
// ranges of consecutive pages of one source and merged) and our library
// applies the rotations. A job still showing its source unchanged is a byte
// copy.
#pragma once

#include "base/ZString.h"
#include "operations/CommandOperation.h"

class AbortControl;
class Job;

// Composes job into target under control (or none). Reports nothing: the
// caller looks at the target file. Temporary files never outlive it. Throws
// std::runtime_error("Invalid page number") when the merged file lacks a page
// that is to be rotated.
void compose(Job& job, const ZString& target, AbortControl* control);

// Composing as an operation of the progress window; cancelling stops the
// interpreter and the loop.
class AssembleOperation : public CommandOperation {
public:
    AssembleOperation(Job& job, const ZString& target) : m_job(&job), m_target(target) {}
    void contextChanged() override;
    void run() override;

private:
    Job* m_job;
    ZString m_target;
};
