// Shared pieces of the operations tests.
#pragma once

#include "base/ZString.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A file beside the test program (the build's bin folder).
ZString besideTests(const wchar_t* name);

// Sends what the program writes to its standard output into a file while alive.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;
    std::string text() const;

private:
    ScratchFolder m_folder;
    void* m_file;
    void* m_previous;
};

// Waits until the condition holds; false when it did not within the limit
// (a guard against hanging, not a measure of speed).
bool waitFor(const std::function<bool()>& condition, int limitMs = 60000);

// Settings in a scratch folder, with GsWin32cCmdline set to the value given.
class InterpreterTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void useInterpreter(const ZString& commandLine);
    // The recording stand-in; its log and argument file copy.
    void useRecorder();
    std::vector<ZString> recordedCommandLines() const;
    std::string recordedArgumentFile() const;
    // The host interpreter through the bridge, and "ps2ascii.bat" on the search path.
    void useBridge();

    ScratchFolder m_scratch;
    ZString m_log;
};

// The recorder's own part of every recorded command line.
ZString recorderPrefix();

// Page count of a PDF, asked of the host interpreter through the bridge; -1 when unknown.
int pdfPageCount(const ZString& pdf);

// Whether a host process of the given process group runs (not ended, not a zombie).
bool hostGroupRuns(unsigned long group);
void killHostGroup(unsigned long group);
