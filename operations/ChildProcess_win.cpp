#include "operations/ChildProcess.h"
#include "operations/StreamPrinter.h"

#include <windows.h>

#include <vector>

namespace {

const DWORD kPipeSize = 2048;
// How long the end of a process waits for its output to be printed. Longer only
// when a process that the child started still holds the pipe open.
const DWORD kPrinterDrainMs = 2000;

// Our pipes' write ends are inheritable only while their own child is created,
// so that a child started at the same time on another thread does not keep
// another child's pipe open.
std::mutex& creationLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace

ChildProcess::ChildProcess(const ZString& commandLine, bool wait) : m_commandLine(commandLine), m_wait(wait) {}

ChildProcess::~ChildProcess()
{
    if (m_thread != nullptr)
        CloseHandle(m_thread);
    if (void* process = m_process.load())
        CloseHandle(process);
}

void ChildProcess::run(AbortControl* control)
{
    if (control != nullptr)
        control->setCurrent(this);
    start();
    if (control != nullptr)
        control->setCurrent(nullptr);
}

void ChildProcess::start()
{
    SECURITY_ATTRIBUTES security = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, kPipeSize)) {
        m_result = GetLastError();
        return;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);

    HANDLE drained = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE printerDrained = nullptr;
    if (drained != nullptr)
        DuplicateHandle(GetCurrentProcess(), drained, GetCurrentProcess(), &printerDrained, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    StreamPrinter* printer = new StreamPrinter(readEnd, printerDrained);
    if (!printer->start()) {
        delete printer; // closes the read end: the child's writes then fail instead of blocking
        if (drained != nullptr) {
            CloseHandle(drained);
            drained = nullptr;
        }
    }

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = m_showMode;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;

    printCommandBanner(m_commandLine);

    std::vector<wchar_t> commandLine(m_commandLine.c_str(), m_commandLine.c_str() + m_commandLine.length() + 1);
    PROCESS_INFORMATION info = {};
    BOOL started;
    DWORD error = 0;
    {
        std::lock_guard<std::mutex> guard(creationLock());
        SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                 nullptr, nullptr, &startup, &info);
        error = GetLastError();
        SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    }

    if (!started) {
        m_result = error;
        CloseHandle(writeEnd);
    } else {
        m_thread = info.hThread;
        m_processId = info.dwProcessId;
        m_threadId = info.dwThreadId;
        m_process.store(info.hProcess);
        // A cancel that came while the process was being created.
        if (m_terminateRequested.load())
            terminateIfStarted();
        if (m_wait) {
            WaitForSingleObject(info.hProcess, INFINITE);
            DWORD code = 0;
            GetExitCodeProcess(info.hProcess, &code);
            m_result = code;
            CloseHandle(writeEnd);
            m_finished = true;
        } else {
            HANDLE process = nullptr;
            DuplicateHandle(GetCurrentProcess(), info.hProcess, GetCurrentProcess(), &process, SYNCHRONIZE, FALSE, 0);
            PipeCloser* closer = new PipeCloser(process, writeEnd);
            if (process == nullptr || !closer->start())
                delete closer; // closes the write end now
            if (drained != nullptr)
                CloseHandle(drained);
            return;
        }
    }
    if (drained != nullptr) {
        WaitForSingleObject(drained, kPrinterDrainMs);
        CloseHandle(drained);
    }
}

bool ChildProcess::terminate()
{
    if (m_finished)
        return false;
    // Asked first and the handle read second, while start() stores the handle
    // first and reads the request second: one of the two always sees the other.
    m_terminateRequested.store(true);
    return terminateIfStarted();
}

bool ChildProcess::terminateIfStarted()
{
    void* process = m_process.load();
    if (process == nullptr || m_finished || m_killed.exchange(true))
        return false;
    if (!TerminateProcess(process, 0)) {
        m_killed = false;
        return false;
    }
    return true;
}

uint32_t runAndWait(const ZString& commandLine) { return runAndWait(commandLine, nullptr); }

uint32_t runAndWait(const ZString& commandLine, AbortControl* control)
{
    ChildProcess process(commandLine, true);
    process.run(control);
    return process.result();
}
