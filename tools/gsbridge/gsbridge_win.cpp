// gsbridge: stands where the interpreter's console program (gswin32c.exe)
// stands when the program runs under Wine on a host with its own Ghostscript.
//
// A Windows program cannot wait for a host program that it starts with
// CreateProcessW, so the installation names this console program instead. It
// translates the Windows paths among its arguments (also "-sName=" values and
// the contents of "@" argument files) to host paths, runs the host program
// through Wine's spawn call, passes the program's output on to our own
// standard output and ends with its exit code.
//
// The program stops a conversion with TerminateProcess on us. The host program
// must not outlive that: the shell that starts it gets a parent-death signal
// and then ends the host program's whole process group. We also end ourselves
// when our own parent ends (a batch script's command interpreter that was
// terminated), which stops the host program the same way.
//
//   gsbridge.exe <interpreter arguments...>    runs the host's gs
//   gsbridge.exe --ps2ascii <input> [<output>] runs the host's ps2ascii and
//       writes German umlauts as a vowel followed by a double quote, as the
//       interpreter's batch script on Windows does
//
// The host program runs with a temporary folder of its own beside our other
// files ("gsbridge_<pid>_<tick>_tmp" in our temporary folder), removed when it
// ends, also when it is stopped.
//
// GSBRIDGE_PID_FILE, when set, names a file that receives the host process id
// (for tests that check that a stopped conversion leaves nothing running).
#include "base/Files.h"
#include "base/TextUtil.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kHostInterpreter = "/usr/bin/gs";
const char* const kHostTextScript = "/usr/bin/ps2ascii";

// The shell between Wine and the host program. $1: file that receives the
// output, $2: a further file to remove when stopped (or empty), $3: file for
// the host process id (or empty), $4: the host program's own temporary folder
// (removed with everything in it when the program ends or is stopped); then
// the program and its arguments. The shell's own messages ("Terminated") are
// not the program's output.
const char* const kShellScript =
    "o=$1; a=$2; p=$3; t=$4; shift 4\n"
    "exec 2>/dev/null\n"
    "mkdir -p -- \"$t\" && export TMPDIR=\"$t\" TMP=\"$t\" TEMP=\"$t\"\n"
    "trap 'kill -TERM -$c 2>/dev/null; kill -TERM $c 2>/dev/null; wait $c; rm -f -- \"$o\" ${a:+\"$a\"}; "
    "rm -rf -- \"$t\"; exit 143' HUP INT TERM\n"
    "setsid \"$@\" >\"$o\" 2>&1 </dev/null &\n"
    "c=$!\n"
    "[ -z \"$p\" ] || echo $c >\"$p\"\n"
    "wait $c\n"
    "r=$?\n"
    "rm -rf -- \"$t\"\n"
    "exit $r\n";

typedef LONG(WINAPI* SpawnFunction)(char* const argv[], int wait);
typedef char*(CDECL* UnixNameFunction)(const wchar_t* path);

SpawnFunction g_spawn = nullptr;
UnixNameFunction g_unixName = nullptr;

void fail(const wchar_t* message)
{
    fwprintf(stderr, L"gsbridge: %ls\n", message);
}

std::string utf8(const std::wstring& text) { return ZString(text).toUtf8(); }

bool isWindowsPath(const std::wstring& text)
{
    if (text.size() >= 3 && iswalpha(text[0]) && text[1] == L':' && (text[2] == L'\\' || text[2] == L'/'))
        return true;
    return text.size() >= 2 && text[0] == L'\\' && text[1] == L'\\';
}

// The host path of a Windows path; the text itself when Wine cannot map it
// (for example when its folder does not exist).
std::string hostPath(const std::wstring& path)
{
    char* unix = g_unixName(path.c_str());
    if (unix == nullptr)
        return utf8(path);
    std::string out(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// One argument as the host program gets it: a Windows path, or a Windows path
// as the value of a switch ("-sOutputFile=C:\..."), becomes a host path.
std::string translate(const std::wstring& argument)
{
    if (isWindowsPath(argument))
        return hostPath(argument);
    if (argument.size() > 2 && argument[0] == L'-') {
        const size_t equals = argument.find(L'=');
        if (equals != std::wstring::npos && isWindowsPath(argument.substr(equals + 1)))
            return utf8(argument.substr(0, equals + 1)) + hostPath(argument.substr(equals + 1));
    }
    return utf8(argument);
}

// The words of an argument file: separated by white space, double quotes
// group (and are dropped), as the interpreter reads them.
std::vector<std::string> argumentFileWords(const std::string& text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (i >= text.size())
            break;
        std::string word;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && isspace(static_cast<unsigned char>(c)))
                break;
            else
                word.push_back(c);
        }
        words.push_back(word);
    }
    return words;
}

std::wstring tempFolder()
{
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return n > 0 && n <= MAX_PATH ? std::wstring(buffer, n) : std::wstring(L".\\");
}

// Our files in the temporary folder. Wine gives a process id again soon, while
// the host shell of a stopped bridge with the same id may still be removing its
// files: the start time keeps the names of two bridges apart.
std::wstring tempFile(const wchar_t* kind)
{
    static const unsigned long started = GetTickCount();
    wchar_t name[80];
    swprintf(name, 80, L"gsbridge_%lu_%lu_%ls", GetCurrentProcessId(), started, kind);
    return tempFolder() + name;
}

// "@file": a translated copy of the argument file, for the host program.
std::string translatedArgumentFile(const std::wstring& path, std::wstring& copy)
{
    std::string text;
    if (!readWholeFile(ZString(path), text))
        return "@" + hostPath(path);
    std::string out;
    for (const std::string& word : argumentFileWords(text)) {
        // Surrogates come encoded one by one, as the program writes them.
        const std::string host = translate(utf8DecodeLenient(word.data(), word.size()).toStdString());
        const bool needsQuotes = host.empty() || host.find_first_of(" \t\r\n") != std::string::npos;
        out += needsQuotes ? "\"" + host + "\"" : host;
        out += '\n';
    }
    copy = tempFile(L"args.gs");
    if (!writeWholeFile(ZString(copy), out)) {
        copy.clear();
        return "@" + hostPath(path);
    }
    return "@" + hostPath(copy);
}

// The host text script writes UTF-8; the Windows one writes the German umlauts
// as the vowel followed by a double quote.
void umlautsAsQuotedVowels(const std::wstring& path)
{
    std::string bytes;
    if (!readWholeFile(ZString(path), bytes))
        return;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xC3 && i + 1 < bytes.size()) {
            const char* vowel = nullptr;
            switch (static_cast<unsigned char>(bytes[i + 1])) {
            case 0x84: vowel = "A"; break;
            case 0x96: vowel = "O"; break;
            case 0x9C: vowel = "U"; break;
            case 0xA4: vowel = "a"; break;
            case 0xB6: vowel = "o"; break;
            case 0xBC: vowel = "u"; break;
            default: break;
            }
            if (vowel != nullptr) {
                out += vowel;
                out += '"';
                ++i;
                continue;
            }
        }
        out += bytes[i];
    }
    if (out != bytes)
        writeWholeFile(ZString(path), out);
}

struct Spawn {
    std::vector<std::string> arguments;
    LONG status = 0;
};

DWORD WINAPI spawnThread(void* parameter)
{
    Spawn* spawn = static_cast<Spawn*>(parameter);
    std::vector<char*> argv;
    for (std::string& a : spawn->arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    spawn->status = g_spawn(argv.data(), 1);
    return 0;
}

// Our parent process, when it is still there to be watched.
HANDLE openParent()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD parent = 0;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return parent != 0 ? OpenProcess(SYNCHRONIZE, FALSE, parent) : nullptr;
}

// Copies what the host program wrote so far to our standard output.
void relay(HANDLE from)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(from, buffer, sizeof buffer, &n, nullptr) && n > 0) {
        DWORD written = 0;
        if (out != nullptr && out != INVALID_HANDLE_VALUE)
            WriteFile(out, buffer, n, &written, nullptr);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    g_spawn = reinterpret_cast<SpawnFunction>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
    g_unixName = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "wine_get_unix_file_name")));
    if (g_spawn == nullptr || g_unixName == nullptr) {
        fail(L"runs only under Wine; name gswin32c.exe in the installation instead");
        return 1;
    }

    int first = 1;
    const char* program = kHostInterpreter;
    bool textScript = false;
    if (argc > 1 && wcscmp(argv[1], L"--ps2ascii") == 0) {
        program = kHostTextScript;
        textScript = true;
        first = 2;
    }

    const std::wstring output = tempFile(L"output.txt");
    std::wstring argumentCopy;
    wchar_t pidFile[MAX_PATH] = {};
    const DWORD pidFileLength = GetEnvironmentVariableW(L"GSBRIDGE_PID_FILE", pidFile, MAX_PATH);

    Spawn spawn;
    spawn.arguments = {"/usr/bin/setpriv", "--pdeathsig", "TERM", "--", "/bin/sh", "-c", kShellScript, "sh"};
    spawn.arguments.push_back(hostPath(output));
    spawn.arguments.push_back(std::string()); // the argument file copy, filled in below
    spawn.arguments.push_back(pidFileLength > 0 && pidFileLength < MAX_PATH ? hostPath(pidFile) : std::string());
    const size_t copySlot = spawn.arguments.size() - 2;
    // The host program's work files go into a folder of our own, not into the
    // host's shared temporary folder, where a stopped run would leave them.
    const std::wstring privateTemp = tempFile(L"tmp");
    spawn.arguments.push_back(hostPath(privateTemp));
    spawn.arguments.push_back(program);
    for (int i = first; i < argc; ++i) {
        const std::wstring argument(argv[i]);
        if (!textScript && argument.size() > 1 && argument[0] == L'@') {
            spawn.arguments.push_back(translatedArgumentFile(argument.substr(1), argumentCopy));
            if (!argumentCopy.empty())
                spawn.arguments[copySlot] = hostPath(argumentCopy);
        } else {
            spawn.arguments.push_back(translate(argument));
        }
    }

    // The output file exists before the host program starts, so that we can follow it.
    HANDLE outputFile = CreateFileW(output.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
    HANDLE parent = openParent();
    HANDLE worker = CreateThread(nullptr, 0, spawnThread, &spawn, 0, nullptr);
    if (worker == nullptr) {
        fail(L"cannot start a thread");
        return 1;
    }
    for (;;) {
        const bool ended = WaitForSingleObject(worker, 20) == WAIT_OBJECT_0;
        if (outputFile != INVALID_HANDLE_VALUE)
            relay(outputFile);
        if (ended)
            break;
        if (parent != nullptr && WaitForSingleObject(parent, 0) == WAIT_OBJECT_0)
            ExitProcess(143); // our thread's end stops the host program
    }
    CloseHandle(worker);
    if (parent != nullptr)
        CloseHandle(parent);
    if (outputFile != INVALID_HANDLE_VALUE)
        CloseHandle(outputFile);
    DeleteFileW(output.c_str());
    deleteTree(ZString(privateTemp)); // in case the shell could not
    if (!argumentCopy.empty())
        DeleteFileW(argumentCopy.c_str());

    if (static_cast<ULONG>(spawn.status) >= 0xC0000000UL) {
        fail(L"cannot start the host program");
        return 1;
    }
    if (textScript && argc > 3)
        umlautsAsQuotedVowels(argv[3]);
    return static_cast<int>(spawn.status);
}
