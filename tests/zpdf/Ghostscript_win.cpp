#include "tests/zpdf/Ghostscript.h"

#include "tests/support/TestSupport.h"

#include <windows.h>

#include <vector>

namespace {

using SpawnFn = LONG(WINAPI*)(char* const argv[], int wait);
using UnixNameFn = char*(CDECL*)(const wchar_t* dosName);

SpawnFn spawnFunction()
{
    return reinterpret_cast<SpawnFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
}

// The Unix form of a Windows path, or "" (only under Wine).
std::string unixPath(const ZString& path)
{
    const auto toUnix = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr)
        return {};
    char* name = toUnix(path.c_str());
    if (name == nullptr)
        return {};
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

} // namespace

bool ghostscriptAvailable() { return spawnFunction() != nullptr && GetFileAttributesW(L"Z:\\usr\\bin\\gs") != INVALID_FILE_ATTRIBUTES; }

int ghostscriptPageCount(const ZString& path, std::string& output)
{
    const SpawnFn spawn = spawnFunction();
    if (spawn == nullptr)
        return -1;
    ScratchFolder folder;
    const ZString outputFile = folder.file(L"gs-output.txt");
    writeFileBytes(outputFile, "");
    const std::string pdf = unixPath(path);
    const std::string out = unixPath(outputFile);
    if (pdf.empty() || out.empty())
        return -1;
    // gs writes into a file: Wine hands a spawned Unix program none of the
    // Windows standard handles.
    std::vector<std::string> args = {"/bin/sh", "-c", "o=$1; shift; \"$@\" >\"$o\" 2>&1 </dev/null", "sh", out,
                                     "/usr/bin/gs", "-q", "-dNODISPLAY", "-dNOSAFER", "-sPdfFile=" + pdf, "-c",
                                     "PdfFile (r) file runpdfbegin pdfpagecount = quit"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const LONG status = spawn(argv.data(), 1);
    output = readFileBytes(outputFile);
    if (status != 0)
        return -1;
    return pageCountFromOutput(output);
}
