#include "tests/app/AppTestSupport_win.h"

#include "app/HandOver.h"
#include "app/InterimExplorerList.h"
#include "app/InterimJobs.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "suite/settings/SettingsStore.h"

#include <map>

namespace {

// Generous limits: reaching one means something hangs, not that it is slow.
const DWORD kLimitMs = 30000;

const wchar_t* const kCompanions[] = {L"tamlo.exe", L"tamlo-Vistel.exe", L"tamlo-Faxer.exe", L"tamlo-Setbox.exe"};

struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
};

// This process's environment with the settings and temporary folders of the installation.
std::wstring environmentFor(const TestInstallation& installation)
{
    std::map<std::wstring, std::wstring, NoCase> variables;
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p != 0; p += wcslen(p) + 1) {
        const std::wstring entry(p);
        const size_t eq = entry.find(L'=', 1); // entries like "=C:=C:\" start with "="
        if (eq != std::wstring::npos)
            variables[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    FreeEnvironmentStringsW(block);
    variables[L"TAMLO_CONFIG_DIR"] = installation.configFolder().toStdString();
    variables[L"TMP"] = installation.tempFolder().toStdString();
    variables[L"TEMP"] = installation.tempFolder().toStdString();
    std::wstring result;
    for (const auto& [name, value] : variables)
        result.append(name).append(L"=").append(value).push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

} // namespace

ZString besideTestProgram(const wchar_t* name)
{
    wchar_t self[4096];
    const DWORD n = GetModuleFileNameW(nullptr, self, 4096);
    return joinPath(folderPart(ZString(self, static_cast<int>(n))), name);
}

const std::string& samplePdf()
{
    static const std::string bytes = readFileBytes(sourcePath(L"samples/sample.pdf"));
    return bytes;
}

TestInstallation::TestInstallation(bool withUserFolders)
{
    for (const ZString& folder : {binFolder(), configFolder(), tempFolder(), docsFolder()})
        createFolder(folder, true);
    for (const wchar_t* companion : kCompanions)
        copyFile(besideTestProgram(L"companion-standin.exe"), joinPath(binFolder(), companion));
    settingsStore_setFolder(configFolder());
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", binFolder());
    settingsStore_setStr(SettingsScope::Program, L"BinDir", binFolder());
    if (withUserFolders) {
        settingsStore_setStr(SettingsScope::User, L"LocalAppDataDir", m_scratch.file(L"user\\local"));
        settingsStore_setStr(SettingsScope::User, L"ArchiveDir", m_scratch.file(L"user\\archive"));
        settingsStore_setStr(SettingsScope::User, L"FavoriteDir", m_scratch.file(L"user\\favorites"));
    }
}

TestInstallation::~TestInstallation() { settingsStore_setFolder(ZString()); }

ZString TestInstallation::document(const wchar_t* name) const { return document(name, samplePdf()); }

ZString TestInstallation::document(const wchar_t* name, const std::string& bytes) const
{
    const ZString path = joinPath(docsFolder(), name);
    writeFileBytes(path, bytes);
    return path;
}

std::vector<std::pair<ZString, ZString>> TestInstallation::companionCalls() const
{
    std::vector<std::pair<ZString, ZString>> calls;
    const std::string log = readFileBytes(joinPath(binFolder(), L"calls.log"));
    std::vector<ZString> lines;
    split(utf8DecodeLenient(log.data(), log.size()), L"\n", lines);
    for (const ZString& line : lines) {
        const int tab = line.findChar(L'\t');
        if (tab > 0)
            calls.emplace_back(line.substring(0, tab - 1), line.substring(tab + 1));
    }
    return calls;
}

bool TestInstallation::waitForCompanionCalls(size_t count) const
{
    for (DWORD waited = 0; waited < kLimitMs; waited += 20) {
        if (companionCalls().size() >= count)
            return true;
        Sleep(20);
    }
    return false;
}

ProgramRun::ProgramRun(const TestInstallation& installation, const ZString& arguments, const ZString& stderrFile)
{
    const ZString program = besideTestProgram(L"tamlo-Quillet.exe");
    std::wstring commandLine = quote(program).toStdString();
    if (!arguments.isEmpty())
        commandLine.append(L" ").append(arguments.view());
    std::wstring environment = environmentFor(installation);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    HANDLE errors = INVALID_HANDLE_VALUE;
    if (!stderrFile.isEmpty()) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        errors = CreateFileW(stderrFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = errors;
    }
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, errors != INVALID_HANDLE_VALUE,
                       CREATE_UNICODE_ENVIRONMENT, environment.data(), installation.root().c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_pid = info.dwProcessId;
    }
    if (errors != INVALID_HANDLE_VALUE)
        CloseHandle(errors);
}

ProgramRun::~ProgramRun()
{
    if (m_process == nullptr)
        return;
    if (!hasEnded()) {
        DWORD code = 0;
        if (!close(code)) {
            TerminateProcess(m_process, 1);
            WaitForSingleObject(m_process, kLimitMs);
        }
    }
    CloseHandle(m_process);
}

bool ProgramRun::hasEnded() const { return m_process == nullptr || WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }

bool ProgramRun::waitForExit(DWORD& exitCode)
{
    if (m_process == nullptr || WaitForSingleObject(m_process, kLimitMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(m_process, &exitCode) != FALSE;
}

HWND ProgramRun::waitForMainWindow()
{
    for (DWORD waited = 0; waited < kLimitMs && !hasEnded(); waited += 20) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == m_pid)
                return waitUntilIdle(window) ? window : nullptr;
        }
        Sleep(20);
    }
    return nullptr;
}

bool ProgramRun::close(DWORD& exitCode)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == m_pid)
            PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return waitForExit(exitCode);
}

bool waitUntilIdle(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kLimitMs, &result) != 0;
}

std::vector<ZString> listBoxItems(HWND window, int controlId)
{
    std::vector<ZString> items;
    HWND list = GetDlgItem(window, controlId);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        items.emplace_back(text.c_str(), got > 0 ? static_cast<int>(got) : 0);
    }
    return items;
}

std::vector<ZString> jobNames(HWND mainWindow) { return listBoxItems(mainWindow, InterimJobList::kControlId); }

std::vector<ZString> shownFolders(HWND mainWindow) { return listBoxItems(mainWindow, InterimExplorerList::kControlId); }
