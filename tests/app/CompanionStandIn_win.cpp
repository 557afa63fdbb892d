// Stands in for the suite's companion programs in tests: it appends one line,
// "<its file name>\t<its command line>", to calls.log beside itself and ends.
// A last quoted argument that names no existing file (a document handed over
// that is already gone) is marked by " (missing)" after the command line.
#include "base/Files.h"
#include "base/Paths.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t self[4096];
    const DWORD n = GetModuleFileNameW(nullptr, self, 4096);
    const ZString path(self, n < 4096 ? static_cast<int>(n) : 0);
    ZString commandLine(GetCommandLineW());
    commandLine.trim();
    const int close = commandLine.length() - 1;
    const int open =
        close > 0 && commandLine.getAt(close) == L'"' ? commandLine.substring(0, close - 1).findLastChar(L'"') : -1;
    if (open > 0 && !pathExists(commandLine.substring(open + 1, close - 1)))
        commandLine.append(L" (missing)");
    const ZString line = fileNamePart(path) + L"\t" + commandLine + L"\n";
    return appendToFile(joinPath(folderPart(path), L"calls.log"), line.toUtf8()) ? 0 : 1;
}
