// Stands in for the suite's companion programs in tests: it appends one line,
// "<its file name>\t<its command line>", to calls.log beside itself and ends.
#include "base/Files.h"
#include "base/Paths.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t self[4096];
    const DWORD n = GetModuleFileNameW(nullptr, self, 4096);
    const ZString path(self, n < 4096 ? static_cast<int>(n) : 0);
    const ZString line = fileNamePart(path) + L"\t" + GetCommandLineW() + L"\n";
    return appendToFile(joinPath(folderPart(path), L"calls.log"), line.toUtf8()) ? 0 : 1;
}
