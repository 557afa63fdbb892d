#include "tools/install/GhostscriptSearch.h"

#include "base/Files.h"
#include "base/Paths.h"

#include <windows.h>

#include <vector>

namespace {

class RegistryKey {
public:
    RegistryKey(HKEY parent, const wchar_t* name, REGSAM view)
    {
        if (RegOpenKeyExW(parent, name, 0, KEY_READ | view, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~RegistryKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// "10.02.1" as {10, 2, 1}, for comparing versions.
std::vector<int> versionNumbers(const ZString& version)
{
    std::vector<int> numbers;
    int value = 0;
    for (int i = 0; i <= version.length(); ++i) {
        const wchar_t c = i < version.length() ? version.getAt(i) : L'.';
        if (c == L'.') {
            numbers.push_back(value);
            value = 0;
        } else if (c >= L'0' && c <= L'9') {
            value = value * 10 + (c - L'0');
        }
    }
    return numbers;
}

ZString stringValue(HKEY key, const wchar_t* name)
{
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return ZString();
    return ZString(buffer);
}

} // namespace

ZString findInstalledGhostscript()
{
    ZString best;
    std::vector<int> bestVersion;
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        RegistryKey root(HKEY_LOCAL_MACHINE, L"SOFTWARE\\GPL Ghostscript", view);
        if (root.get() == nullptr)
            continue;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(root.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            RegistryKey version(root.get(), name, view);
            const ZString dll = version.get() != nullptr ? stringValue(version.get(), L"GS_DLL") : ZString();
            if (dll.isEmpty() || versionNumbers(name) <= bestVersion)
                continue;
            for (const wchar_t* console : {L"gswin64c.exe", L"gswin32c.exe"}) {
                const ZString program = joinPath(folderPart(dll), console);
                if (isFile(program)) {
                    best = program;
                    bestVersion = versionNumbers(name);
                    break;
                }
            }
        }
    }
    return best;
}
