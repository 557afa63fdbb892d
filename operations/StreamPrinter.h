// The helper threads of a child process. Both delete themselves at the end of
// their run(). Handles are passed as void* to keep <windows.h> out.
#pragma once

#include "base/Thread.h"
#include "base/ZString.h"

#include <cstddef>

// Writes bytes to the program's standard output (GetStdHandle), whole, even
// when several threads print at once. Nothing happens when there is none.
void writeStandardOutput(const char* bytes, size_t size);

// The line "================", the command line and the line "----------------"
// on the program's standard output.
void printCommandBanner(const ZString& commandLine);

// Copies everything that arrives in a pipe to the program's standard output
// until the pipe is closed, then closes its read end, signals doneEvent (when
// given; the printer closes that handle) and deletes itself.
class StreamPrinter : public Thread {
public:
    StreamPrinter(void* readEnd, void* doneEvent) : m_readEnd(readEnd), m_doneEvent(doneEvent) {}
    ~StreamPrinter() override;
    void run() override;

private:
    void* m_readEnd;
    void* m_doneEvent;
};

// Waits for a process that nobody else waits for, then closes the pipe's write
// end (so that its StreamPrinter ends) and the process handle, and deletes itself.
class PipeCloser : public Thread {
public:
    PipeCloser(void* process, void* writeEnd) : m_process(process), m_writeEnd(writeEnd) {}
    ~PipeCloser() override;
    void run() override;

private:
    void* m_process;
    void* m_writeEnd;
};
