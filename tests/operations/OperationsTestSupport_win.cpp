#include "tests/operations/OperationsTestSupport.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"
#include "suite/settings/SettingsStore.h"

#include <windows.h>

#include <cstdlib>

ZString besideTests(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    return joinPath(folderPart(ZString(buffer, static_cast<int>(n))), name);
}

StdoutCapture::StdoutCapture()
{
    m_file = CreateFileW(m_folder.file(L"stdout.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    m_previous = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, m_file);
}

StdoutCapture::~StdoutCapture()
{
    SetStdHandle(STD_OUTPUT_HANDLE, m_previous);
    CloseHandle(m_file);
}

std::string StdoutCapture::text() const { return readFileBytes(m_folder.file(L"stdout.txt")); }

bool waitFor(const std::function<bool()>& condition, int limitMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (static_cast<int>(GetTickCount() - start) > limitMs)
            return false;
        Sleep(10);
    }
    return true;
}

void InterpreterTest::SetUp()
{
    settingsStore_setFolder(m_scratch.path());
    m_log = m_scratch.file(L"recorder.log");
}

void InterpreterTest::TearDown()
{
    settingsStore_setFolder(ZString());
    SetEnvironmentVariableW(L"GSRECORDER_LOG", nullptr);
    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", nullptr);
    SetEnvironmentVariableW(L"GSRECORDER_EXIT", nullptr);
    SetEnvironmentVariableW(L"GSBRIDGE_PID_FILE", nullptr);
}

void InterpreterTest::useInterpreter(const ZString& commandLine)
{
    settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", commandLine);
}

ZString recorderPrefix() { return quote(besideTests(L"gsrecorder.exe")); }

void InterpreterTest::useRecorder()
{
    useInterpreter(recorderPrefix());
    SetEnvironmentVariableW(L"GSRECORDER_LOG", m_log.c_str());
}

std::vector<ZString> InterpreterTest::recordedCommandLines() const
{
    const std::string bytes = readFileBytes(m_log);
    std::vector<ZString> lines;
    split(utf8DecodeLenient(bytes.data(), bytes.size()), L"\n", lines);
    return lines;
}

std::string InterpreterTest::recordedArgumentFile() const { return readFileBytes(m_log + L".args"); }

void InterpreterTest::useBridge()
{
    useInterpreter(quote(besideTests(L"gsbridge.exe")));
    // As at the program's start, the installation's folder goes in front of
    // the search path, so that "ps2ascii.bat" is found.
    const ZString bin = folderPart(besideTests(L"gsbridge.exe"));
    wchar_t path[32768];
    const DWORD n = GetEnvironmentVariableW(L"PATH", path, 32768);
    const ZString old(path, n < 32768 ? static_cast<int>(n) : 0);
    if (old.find(bin) < 0)
        SetEnvironmentVariableW(L"PATH", (bin + L";" + old).c_str());
}

int pdfPageCount(const ZString& pdf)
{
    StdoutCapture capture;
    runAndWait(quote(besideTests(L"gsbridge.exe")) + L" -q -dNODISPLAY -dNOSAFER " + quote(L"-sFile=" + pdf) +
               L" -c \"File (r) file runpdfbegin pdfpagecount = quit\"");
    const std::string text = capture.text();
    const size_t end = text.rfind("----------------");
    if (end == std::string::npos)
        return -1;
    const std::string output = text.substr(end + 16);
    const size_t digit = output.find_first_of("0123456789");
    return digit == std::string::npos ? -1 : std::atoi(output.c_str() + digit);
}

bool hostGroupRuns(unsigned long group)
{
    // Wine shows the host's root as drive Z:.
    std::vector<ZString> processes;
    listFolder(L"Z:\\proc", nullptr, &processes, kListFolders);
    for (const ZString& process : processes) {
        if (fileNamePart(process).toInt() <= 0)
            continue;
        // "pid (name) state ppid pgrp ..."
        const std::string stat = readFileBytes(joinPath(process, L"stat"));
        const size_t close = stat.rfind(')');
        if (close == std::string::npos || close + 2 >= stat.size())
            continue;
        const char state = stat[close + 2];
        unsigned long parent = 0, processGroup = 0;
        if (sscanf(stat.c_str() + close + 3, "%lu %lu", &parent, &processGroup) == 2 && processGroup == group &&
            state != 'Z' && state != 'X')
            return true;
    }
    return false;
}

void killHostGroup(unsigned long group)
{
    typedef LONG(WINAPI * SpawnFunction)(char* const argv[], int wait);
    auto spawn = reinterpret_cast<SpawnFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
    if (spawn == nullptr)
        return;
    std::string kill = "/bin/kill", signal = "-KILL", number = "-" + std::to_string(group);
    char* argv[] = {kill.data(), signal.data(), number.data(), nullptr};
    spawn(argv, 1);
}
