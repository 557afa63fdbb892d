// Shared pieces of the tests of everything that runs Ghostscript.
#pragma once

#include "base/ZString.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Sends what the program writes to its standard output into a file while alive.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    std::string text() const { return readFileBytes(m_folder.file(L"stdout.txt")); }

private:
    ScratchFolder m_folder;
    void* m_file;
    void* m_previous;
};

// Settings in a scratch folder, with GsWin32cCmdline set to the value given.
class InterpreterTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void useInterpreter(const ZString& commandLine);
    // The recording stand-in; its log and argument file copy.
    void useRecorder();
    std::vector<ZString> recordedCommandLines() const;
    std::string recordedArgumentFile() const { return readFileBytes(m_log + L".args"); }
    // The host interpreter through the bridge, and "ps2ascii.bat" on the search path.
    void useBridge();

    ScratchFolder m_scratch;
    ZString m_log;
};

// The recorder's own part of every recorded command line.
ZString recorderPrefix();

// Page count of a PDF as the program's PDF library reads it; -1 when unreadable.
int pdfPageCount(const ZString& pdf);

// Whether a host process of the group runs (not ended, not a zombie); Wine
// shows the host's root as drive Z:.
bool hostGroupRuns(unsigned long group);

// PostScript of pages whose page k carries k black squares in a row.
std::string squaresPostScript(int pages);
// The squares on each page of a printed (or any PostScript or PDF) file,
// rendered through the interpreter into folder (made anew).
std::vector<int> squaresOnPages(const ZString& file, const ZString& folder);

// The printer of the test prefix, which writes PostScript to a file (when
// the document names one), and a device context of it deleted with the holder.
inline const wchar_t* const kTestPrinter = L"Quillet Test Printer";
class PrinterDc {
public:
    PrinterDc();
    ~PrinterDc();
    PrinterDc(const PrinterDc&) = delete;
    PrinterDc& operator=(const PrinterDc&) = delete;
    struct HDC__* get() const { return m_dc; }

private:
    struct HDC__* m_dc;
};
