// A stand-in for the interpreter's console program, for tests that check what
// the program passes to it. It
//   - appends its whole command line (UTF-8, one line) to the file named by
//     GSRECORDER_LOG, and the bytes of an "@" argument file to that name + ".args";
//   - prints "gsrecorder" and the output file on its standard output;
//   - creates the file named by "-sOutputFile=" (a "%d" in it becomes 1);
//   - then waits GSRECORDER_WAIT_MS milliseconds, if set, and exits with
//     GSRECORDER_EXIT (default 0).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring environment(const wchar_t* name)
{
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

std::string utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring wide(const std::string& bytes)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

void append(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readAll(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.append(buffer, n);
    CloseHandle(file);
    return bytes;
}

// The value after "-sOutputFile=", up to its closing quote (or a blank when unquoted).
std::wstring outputFile(const std::wstring& text)
{
    const std::wstring key = L"-sOutputFile=";
    const size_t at = text.find(key);
    if (at == std::wstring::npos)
        return std::wstring();
    const bool quoted = at > 0 && text[at - 1] == L'"';
    const size_t start = at + key.size();
    const size_t end = text.find(quoted ? L'"' : L' ', start);
    std::wstring path = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    const size_t number = path.find(L"%d");
    if (number != std::wstring::npos)
        path.replace(number, 2, L"1");
    return path;
}

} // namespace

int wmain()
{
    const std::wstring commandLine = GetCommandLineW();
    const std::wstring log = environment(L"GSRECORDER_LOG");
    std::wstring arguments = commandLine;
    const size_t at = commandLine.find(L"\"@");
    if (at != std::wstring::npos) {
        const size_t end = commandLine.find(L'"', at + 2);
        const std::string bytes = readAll(commandLine.substr(at + 2, end - at - 2));
        if (!log.empty())
            append(log + L".args", bytes);
        arguments = wide(bytes);
    }
    if (!log.empty())
        append(log, utf8(commandLine) + "\n");

    const std::wstring output = outputFile(arguments);
    printf("gsrecorder %s\n", utf8(output).c_str());
    fflush(stdout);
    if (!output.empty())
        append(output, "recorded output\n");

    const std::wstring wait = environment(L"GSRECORDER_WAIT_MS");
    if (!wait.empty())
        Sleep(static_cast<DWORD>(_wtoi(wait.c_str())));
    const std::wstring exitCode = environment(L"GSRECORDER_EXIT");
    return exitCode.empty() ? 0 : _wtoi(exitCode.c_str());
}
