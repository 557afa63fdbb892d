// The user-facing conversions as operations for the progress service: each
// Impl does the work; the plain classes wrap a new Impl for the caller's stack.
#pragma once

#include "operations/AbstractOperation.h"
#include "operations/CommandOperation.h"

// Text extraction; a cancelled extraction deletes its output.
class PdfToTextOperationImpl : public CommandOperation {
public:
    PdfToTextOperationImpl(const ZString& in, const ZString& out) : m_in(in), m_out(out) {}
    void run() override;
    void contextChanged() override;

private:
    ZString m_in;
    ZString m_out;
};

// PostScript (or PDF) to PDF; a cancelled conversion deletes its output.
class PsToPdfOperationImpl : public CommandOperation {
public:
    PsToPdfOperationImpl(const ZString& in, const ZString& out) : m_in(in), m_out(out) {}
    void run() override;
    void contextChanged() override;

private:
    ZString m_in;
    ZString m_out;
};

class PdfToTextOperation : public ImplOperation {
public:
    using ImplOperation::ImplOperation;
};

class PsToPdfOperation : public ImplOperation {
public:
    using ImplOperation::ImplOperation;
};
