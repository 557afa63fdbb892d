#include "base/Files.h"

#include <windows.h>

namespace {

bool writeBytes(const ZString& path, const std::string& bytes, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

} // namespace

bool readWholeFile(const ZString& path, std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        bytes.append(buffer, n);
    CloseHandle(file);
    return true;
}

bool writeWholeFile(const ZString& path, const std::string& bytes)
{
    return writeBytes(path, bytes, GENERIC_WRITE, 0, CREATE_ALWAYS);
}

bool appendToFile(const ZString& path, const std::string& bytes)
{
    return writeBytes(path, bytes, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
}
