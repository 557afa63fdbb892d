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
    // Settings and temporary files of this process and of every program run
    // point here while it lives; the environment is restored afterwards.
    // Without user folders the user settings stay empty.
    explicit TestInstallation(bool withUserFolders = true);
    ~TestInstallation();

    ZString root() const { return m_scratch.path(); }
    ZString binFolder() const { return m_scratch.file(L"bin"); }
    ZString docsFolder() const { return m_scratch.file(L"docs"); }
    // The program's own temporary files live here.
    ZString privateFolder() const { return m_scratch.file(L"tmp\\Tamlo"); }

    // A copy of the sample PDF (or of other bytes) under docs.
    ZString document(const wchar_t* name,
                     const std::string& bytes = readFileBytes(sourcePath(L"samples/sample.pdf"))) const;

    // (program file name, its command line) for every start of a companion stand-in.
    std::vector<std::pair<ZString, ZString>> companionCalls() const;
    bool waitForCompanionCalls(size_t count) const;

private:
    ScratchFolder m_scratch;
    std::vector<std::pair<const wchar_t*, ZString>> m_savedVariables;
};

// One run of tamlo-Quillet.exe inside an installation; closed or ended on
// destruction when it still runs.
class ProgramRun {
public:
    // Runs in the installation's root folder unless a working folder is given.
    ProgramRun(const TestInstallation& installation, const ZString& arguments, const ZString& stderrFile = ZString(),
               const ZString& workingFolder = ZString());
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool hasEnded() const { return m_process == nullptr || WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }
    // The exit code once it ended; 0xDEAD when it does not end within the limit.
    DWORD exitCode();
    // The run's main window once it has processed its command line; null when
    // it ended or no window came within the limit.
    HWND waitForMainWindow();
    // Asks the main window to close; the exit code as above.
    DWORD close();

private:
    HWND mainWindow() const;

    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// The window's descendant with that control id, at any depth (the lists sit
// in the splitter); null when there is none.
HWND descendant(HWND window, int controlId);

// Returns once the window's thread has reached a message loop again.
bool waitUntilIdle(HWND window);

// The job names, and the folder the explorer shows, read across processes.
std::vector<ZString> jobNames(HWND mainWindow);
std::vector<ZString> shownFolders(HWND mainWindow);

// The job list as an accessibility client reads it (AccessibleObjectFromWindow
// on the list, then its children): per job the name as shown, the page count
// and whether it is selected, in display order.
struct AccessibleJob {
    ZString name;
    long pages = -1;
    bool selected = false;
};
std::vector<AccessibleJob> accessibleJobs(HWND mainWindow);
// A job window of the list, by its place from the top; null when there is none.
HWND jobWindow(HWND mainWindow, size_t index);
