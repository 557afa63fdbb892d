#include "tests/app/AppTestSupport_win.h"

#include "app/HandOver.h"
#include "explorer/Explorer_win.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "jobs/JobDlg_win.h"
#include "suite/settings/SettingsStore.h"

#include <algorithm>

#include <oleacc.h>

namespace {

// A generous limit: reaching it means something hangs, not that it is slow.
const DWORD kLimitMs = 30000;

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControlId(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (GetDlgCtrlID(child) != search->id)
        return TRUE;
    search->found = child;
    return FALSE;
}

} // namespace

HWND descendant(HWND window, int controlId)
{
    ChildSearch search{controlId, nullptr};
    EnumChildWindows(window, matchControlId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TestInstallation::TestInstallation(bool withUserFolders)
{
    for (const wchar_t* folder : {L"bin", L"config", L"tmp", L"docs"})
        createFolder(m_scratch.file(folder), true);
    for (const wchar_t* companion : {L"tamlo.exe", L"tamlo-Vistel.exe", L"tamlo-Faxer.exe", L"tamlo-Setbox.exe"})
        copyFile(besideTests(L"companion-standin.exe"), joinPath(binFolder(), companion));
    // What the installation sets here, and what the program's start-up changes.
    for (const wchar_t* variable : {L"TAMLO_CONFIG_DIR", L"TMP", L"TEMP", L"TMPDIR", L"PATH", L"GS_DLL", L"GS_LIB"})
        m_savedVariables.emplace_back(variable, environmentVariable(variable));
    SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", m_scratch.file(L"config").c_str());
    SetEnvironmentVariableW(L"TMP", m_scratch.file(L"tmp").c_str());
    SetEnvironmentVariableW(L"TEMP", m_scratch.file(L"tmp").c_str());
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", binFolder());
    settingsStore_setStr(SettingsScope::Program, L"BinDir", binFolder());
    // As the installation step writes them here: the interpreter through the
    // bridge, and no embedded browser (Wine has no engine behind it).
    settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", quote(besideTests(L"gsbridge.exe")));
    settingsStore_setDword(SettingsScope::Program, L"NoEmbeddedBrowser", 1);
    if (withUserFolders) {
        settingsStore_setStr(SettingsScope::User, L"LocalAppDataDir", m_scratch.file(L"user\\local"));
        settingsStore_setStr(SettingsScope::User, L"ArchiveDir", m_scratch.file(L"user\\archive"));
        settingsStore_setStr(SettingsScope::User, L"FavoriteDir", m_scratch.file(L"user\\favorites"));
    }
}

TestInstallation::~TestInstallation()
{
    for (const auto& [variable, value] : m_savedVariables)
        SetEnvironmentVariableW(variable, value.isEmpty() ? nullptr : value.c_str());
}

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
    return waitFor([&] { return companionCalls().size() >= count; }, kLimitMs);
}

ProgramRun::ProgramRun(const TestInstallation& installation, const ZString& arguments, const ZString& stderrFile,
                       const ZString& workingFolder)
{
    const ZString program = besideTests(L"tamlo-Quillet.exe");
    std::wstring commandLine = (quote(program) + L" " + arguments).toStdString();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    HANDLE errors = INVALID_HANDLE_VALUE;
    if (!stderrFile.isEmpty()) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        errors = CreateFileW(stderrFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errors;
    }
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, errors != INVALID_HANDLE_VALUE, 0,
                       nullptr, (workingFolder.isEmpty() ? installation.root() : workingFolder).c_str(), &startup,
                       &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_pid = info.dwProcessId;
    }
    if (errors != INVALID_HANDLE_VALUE)
        CloseHandle(errors);
}

ProgramRun::~ProgramRun()
{
    if (!hasEnded() && close() == 0xDEAD) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, kLimitMs);
    }
    if (m_process != nullptr)
        CloseHandle(m_process);
}

DWORD ProgramRun::exitCode()
{
    DWORD code = 0xDEAD;
    if (m_process == nullptr || WaitForSingleObject(m_process, kLimitMs) != WAIT_OBJECT_0)
        return 0xDEAD;
    GetExitCodeProcess(m_process, &code);
    return code;
}

HWND ProgramRun::mainWindow() const
{
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, kMainWindowClass, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == m_pid)
            return window;
    }
    return nullptr;
}

HWND ProgramRun::waitForMainWindow()
{
    HWND window = nullptr;
    waitFor([&] { return hasEnded() || (window = mainWindow()) != nullptr; }, kLimitMs);
    return window != nullptr && waitUntilIdle(window) ? window : nullptr;
}

DWORD ProgramRun::close()
{
    PostMessageW(mainWindow(), WM_CLOSE, 0, 0);
    return exitCode();
}

bool waitUntilIdle(HWND window)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kLimitMs, &result) != 0;
}

namespace {
BOOL CALLBACK collectJobWindow(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (ZString(name) == JobDlg::kClassName && IsWindowVisible(window)) // shown once in its place
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}
} // namespace

namespace {
std::vector<HWND> jobWindows(HWND mainWindow)
{
    std::vector<HWND> windows;
    EnumChildWindows(mainWindow, collectJobWindow, reinterpret_cast<LPARAM>(&windows));
    std::sort(windows.begin(), windows.end(), [](HWND a, HWND b) {
        RECT ra = {}, rb = {};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top < rb.top;
    });
    return windows;
}
} // namespace

HWND jobWindow(HWND mainWindow, size_t index)
{
    const std::vector<HWND> windows = jobWindows(mainWindow);
    return index < windows.size() ? windows[index] : nullptr;
}

std::vector<AccessibleJob> accessibleJobs(HWND mainWindow)
{
    // IAccessible's id, spelt out: oleacc and uuid both define the symbol.
    const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    std::vector<AccessibleJob> jobs;
    IAccessible* list = nullptr;
    if (FAILED(AccessibleObjectFromWindow(descendant(mainWindow, 4103), static_cast<DWORD>(OBJID_CLIENT),
                                          kIAccessible, reinterpret_cast<void**>(&list))))
        return jobs;
    long count = 0;
    list->get_accChildCount(&count);
    for (long i = 1; i <= count; ++i) {
        VARIANT id;
        id.vt = VT_I4;
        id.lVal = i;
        IDispatch* dispatch = nullptr;
        IAccessible* job = nullptr;
        if (list->get_accChild(id, &dispatch) != S_OK || dispatch == nullptr)
            continue;
        dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&job));
        dispatch->Release();
        if (job == nullptr)
            continue;
        AccessibleJob read;
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (job->get_accName(self, &name) == S_OK && name != nullptr) {
            read.name = ZString(name);
            SysFreeString(name);
        }
        job->get_accChildCount(&read.pages);
        VARIANT state;
        VariantInit(&state);
        if (job->get_accState(self, &state) == S_OK && state.vt == VT_I4)
            read.selected = (state.lVal & STATE_SYSTEM_SELECTED) != 0;
        job->Release();
        jobs.push_back(read);
    }
    list->Release();
    return jobs;
}

std::vector<ZString> jobNames(HWND mainWindow)
{
    // Job windows carry their job's name as window text; the list shows them top to bottom.
    std::vector<ZString> names;
    for (HWND w : jobWindows(mainWindow)) {
        wchar_t text[512] = {};
        GetWindowTextW(w, text, 512);
        names.emplace_back(text);
    }
    return names;
}

std::vector<ZString> shownFolders(HWND mainWindow)
{
    // The explorer's path bar names the folder it shows.
    wchar_t text[MAX_PATH * 2] = {};
    GetWindowTextW(descendant(mainWindow, ExplorerPath::kControlId), text, static_cast<int>(std::size(text)));
    return {ZString(text)};
}
