// The base classes of the program's operations.
#pragma once

#include "base/Operation.h"

#include <atomic>

// Keeps the cancelled flag and the context. Until the progress service hands
// over its context, the operation reports into an embedded one that ignores
// everything, so the context is never none.
class AbstractOperation : public BaseInterfaceImpl<Operation> {
public:
    void cancel() override { m_cancelled = true; }
    bool isCancelled() const override { return m_cancelled; }
    void setContext(OperationContext* context) override;
    void contextChanged() override {}

protected:
    OperationContext& context() const { return *m_context; }

private:
    std::atomic<bool> m_cancelled{false};
    NullOperationContext m_nullContext;
    OperationContext* m_context = &m_nullContext;
};

// Wraps an operation allocated with new, forwards everything to it and owns it.
class ImplOperation : public AbstractOperation {
public:
    explicit ImplOperation(Operation* inner) : m_inner(inner) {}
    ~ImplOperation() override;
    ImplOperation(const ImplOperation&) = delete;
    ImplOperation& operator=(const ImplOperation&) = delete;

    void run() override;
    void cancel() override;
    void setContext(OperationContext* context) override;
    void contextChanged() override;

private:
    Operation* m_inner;
};
