#include "tests/support/TestSupport.h"

#include "base/TextUtil.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#ifdef _WIN32
#include "base/Files.h"
#include "base/Paths.h"

#include <windows.h>
#else
#include <filesystem>
#include <stdexcept>
#endif

namespace {
FILE* openFile(const ZString& path, const char* mode)
{
#ifdef _WIN32
    const ZString wmode(std::wstring(mode, mode + std::char_traits<char>::length(mode)));
    return _wfopen(path.c_str(), wmode.c_str());
#else
    return std::fopen(path.toUtf8().c_str(), mode);
#endif
}
} // namespace

ZString sourcePath(const wchar_t* relative)
{
    // A missing fixture ends the test at once, with the reason, instead of
    // letting it wait for files that never come.
    const char* root = std::getenv("QUILLET_SOURCE_DIR");
    if (root == nullptr || *root == 0)
        throw std::runtime_error("QUILLET_SOURCE_DIR is not set: run the tests through ctest");
    const std::string rootText = root;
    const ZString path = utf8DecodeLenient(rootText.data(), rootText.size());
    ZString rel(relative);
#ifdef _WIN32
    rel.replaceChars(L"/", L'\\');
    const ZString result = joinPath(path, rel);
    const bool exists = GetFileAttributesW(result.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    rel.replaceChars(L"\\", L'/');
    const ZString result = path + L"/" + rel;
    const bool exists = std::filesystem::exists(result.toUtf8());
#endif
    if (!exists)
        throw std::runtime_error("test fixture missing: " + result.toUtf8());
    return result;
}

std::string readFileBytes(const ZString& path)
{
    std::string bytes;
    FILE* f = openFile(path, "rb");
    if (f == nullptr)
        return bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

bool writeFileBytes(const ZString& path, const std::string& bytes)
{
    FILE* f = openFile(path, "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

#ifdef _WIN32
ZString besideTests(const wchar_t* name)
{
    wchar_t self[4096];
    const DWORD n = GetModuleFileNameW(nullptr, self, 4096);
    return joinPath(folderPart(ZString(self, static_cast<int>(n))), name);
}

ZString environmentVariable(const wchar_t* name)
{
    std::wstring value(32768, L'\0');
    const DWORD n = GetEnvironmentVariableW(name, value.data(), 32768);
    return ZString(value.data(), n < 32768 ? static_cast<int>(n) : 0);
}

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

ScratchFolder::ScratchFolder() : m_path(uniqueTempFolder(L"TamloTests", L"t", L"")) {}

ScratchFolder::~ScratchFolder() { deleteTree(m_path); }

ZString ScratchFolder::file(const wchar_t* name) const { return joinPath(m_path, name); }
#else
ScratchFolder::ScratchFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + "/TamloTests-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    m_path = utf8DecodeLenient(pattern.data(), pattern.size());
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path.toUtf8(), ignored);
}

ZString ScratchFolder::file(const wchar_t* name) const { return m_path + L"/" + name; }
#endif
