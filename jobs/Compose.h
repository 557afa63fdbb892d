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

#include <stdexcept>

class AbortControl;
class Job;

// A composing that failed for a reason the user is told, in the user's language.
class ComposeError : public std::runtime_error {
public:
    explicit ComposeError(const ZString& text) : std::runtime_error(text.toUtf8()), m_text(text) {}
    const ZString& text() const { return m_text; }

private:
    ZString m_text;
};

// Composes job into target under control (or none). Reports nothing: the
// caller looks at the target file. Temporary files never outlive it. Throws
// std::runtime_error("Invalid page number") when the merged file lacks a page
// that is to be rotated, and a ComposeError when the composed file does not
// have exactly the job's pages (then nothing is written to target).
void compose(Job& job, const ZString& target, AbortControl* control);

// Throws a ComposeError unless the PDF file has exactly the job's page count.
void checkComposedPageCount(const Job& job, const ZString& file);

// Composing as an operation of the progress window; cancelling stops the
// interpreter and the loop.
class AssembleOperation : public CommandOperation {
public:
    AssembleOperation(Job& job, const ZString& target) : m_job(&job), m_target(target) {}
    void contextChanged() override;
    void run() override;

    // Why composing wrote no target (empty when it did, or was cancelled).
    const ZString& failure() const { return m_failure; }

private:
    Job* m_job;
    ZString m_target;
    ZString m_failure;
};
