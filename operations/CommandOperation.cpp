#include "operations/CommandOperation.h"

void CommandOperation::run()
{
    if (!m_commandLine.isEmpty())
        runCommand(m_commandLine);
}

void CommandOperation::cancel()
{
    AbstractOperation::cancel();
    m_abortControl.abort();
}

bool CommandOperation::runCommand(const ZString& commandLine)
{
    runAndWait(commandLine, &m_abortControl);
    return m_abortControl.isAborted();
}
