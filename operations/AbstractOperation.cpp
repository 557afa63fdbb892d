#include "operations/AbstractOperation.h"

void AbstractOperation::setContext(OperationContext* context)
{
    if (context == nullptr)
        return;
    m_context = context;
    contextChanged();
}

ImplOperation::~ImplOperation() { delete m_inner; }

void ImplOperation::run() { m_inner->run(); }

void ImplOperation::cancel()
{
    AbstractOperation::cancel();
    m_inner->cancel();
}

void ImplOperation::setContext(OperationContext* context)
{
    if (context == nullptr)
        return;
    AbstractOperation::setContext(context);
    m_inner->setContext(context);
}

void ImplOperation::contextChanged() { m_inner->contextChanged(); }
