#include "tools/pdfcheck/PdfCheck.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    std::vector<ZString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(ZString(argv[i]));
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    return runPdfCheck(args, ZString(temp, n > MAX_PATH ? 0 : static_cast<int>(n)));
}
