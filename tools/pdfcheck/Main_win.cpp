#include "tools/pdfcheck/PdfCheck.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    std::vector<ZString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(ZString(argv[i]));
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    PdfCheckPlatform platform;
    platform.tempFolder = ZString(temp, n > MAX_PATH ? 0 : static_cast<int>(n));
    platform.removeFile = [](const ZString& path) { DeleteFileW(path.c_str()); };
    return runPdfCheck(args, platform);
}
