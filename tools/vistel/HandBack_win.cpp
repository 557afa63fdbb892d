#include "tools/vistel/HandBack.h"

#include "app/HandOver.h"
#include "base/Paths.h"
#include "base/TextUtil.h"

#include <windows.h>

namespace {

ZString ownFolder()
{
    wchar_t buffer[4096];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, 4096);
    return folderPart(ZString(buffer, n < 4096 ? static_cast<int>(n) : 0));
}

// Whether the process shows the program's main window: it became the running instance.
bool ownsMainWindow(DWORD processId)
{
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return true;
    }
    return false;
}

} // namespace

ZString mainProgramPath() { return joinPath(ownFolder(), L"tamlo-Quillet.exe"); }

bool handBackAsJob(const ZString& pdfPath, const ZString& jobName)
{
    const ZString program = mainProgramPath();
    std::wstring commandLine =
        (quote(program) + L" -deleteFile -name " + quote(jobName) + L" " + quote(pdfPath)).toStdString();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    // A second start ends once the running instance has taken the job; that
    // keeps jobs in the order their files were converted.
    while (WaitForSingleObject(process.hProcess, 200) == WAIT_TIMEOUT && !ownsMainWindow(process.dwProcessId)) {
    }
    CloseHandle(process.hProcess);
    return true;
}
