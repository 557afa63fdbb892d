// An operation that does its work by running command lines as child processes.
#pragma once

#include "operations/AbstractOperation.h"
#include "operations/ChildProcess.h"

class CommandOperation : public AbstractOperation {
public:
    // The command line that run() executes; subclasses that override run() pass none.
    explicit CommandOperation(const ZString& commandLine = ZString()) : m_commandLine(commandLine) {}

    // Runs the command line, when there is one.
    void run() override;
    // Also terminates the command that runs at this moment.
    void cancel() override;
    // Runs a command line under the operation's abort control and waits for it;
    // true when the operation has been cancelled (the exit code is not returned).
    virtual bool runCommand(const ZString& commandLine);

    AbortControl& abortControl() { return m_abortControl; }

private:
    AbortControl m_abortControl;
    ZString m_commandLine;
};
