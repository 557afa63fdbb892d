// What the application tests share: a scratch installation (settings, a program
// folder with stand-ins for the companion programs, user folders, a temporary
// folder) and runs of the real program inside it.
#pragma once

#include "base/ZString.h"
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <utility>
#include <vector>

class TestInstallation {
public:
    // Settings of this process and of every program run point here. Without user
    // folders the user settings stay empty.
    explicit TestInstallation(bool withUserFolders = true);
    ~TestInstallation();

    ZString root() const { return m_scratch.path(); }
    ZString binFolder() const { return m_scratch.file(L"bin"); }
    ZString configFolder() const { return m_scratch.file(L"config"); }
    ZString tempFolder() const { return m_scratch.file(L"tmp"); }
    ZString docsFolder() const { return m_scratch.file(L"docs"); }
    // The program's own temporary files live here.
    ZString privateFolder() const { return m_scratch.file(L"tmp\\Tamlo"); }

    // A copy of the sample PDF (or of other bytes) under docs.
    ZString document(const wchar_t* name) const;
    ZString document(const wchar_t* name, const std::string& bytes) const;

    // (program file name, its command line) for every start of a companion stand-in.
    std::vector<std::pair<ZString, ZString>> companionCalls() const;
    // Waits until at least count starts are recorded; false after a generous limit.
    bool waitForCompanionCalls(size_t count) const;

private:
    ScratchFolder m_scratch;
};

// The sample PDF's bytes.
const std::string& samplePdf();

// One run of tamlo-Quillet.exe inside an installation; ended on destruction
// when it still runs.
class ProgramRun {
public:
    ProgramRun(const TestInstallation& installation, const ZString& arguments, const ZString& stderrFile = ZString());
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool started() const { return m_process != nullptr; }
    HANDLE process() const { return m_process; }
    DWORD pid() const { return m_pid; }
    bool hasEnded() const;
    // Waits for the end; false when it does not come within the limit.
    bool waitForExit(DWORD& exitCode);
    // The run's main window once it has processed its command line; null when
    // it ended or no window came within the limit.
    HWND waitForMainWindow();
    // Asks the main window to close and waits for the end.
    bool close(DWORD& exitCode);

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// Returns once the window's thread has reached a message loop again.
bool waitUntilIdle(HWND window);

// The items of a list box child of window (read across processes).
std::vector<ZString> listBoxItems(HWND window, int controlId);
std::vector<ZString> jobNames(HWND mainWindow);
std::vector<ZString> shownFolders(HWND mainWindow);

// The path of a file beside the test program.
ZString besideTestProgram(const wchar_t* name);
