#include "base/TextUtil.h"
#include "tools/pdfcheck/PdfCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    std::vector<ZString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(utf8DecodeLenient(argv[i], std::strlen(argv[i]))); // any name gets a report
    const char* tmp = std::getenv("TMPDIR");
    PdfCheckPlatform platform;
    platform.tempFolder = utf8Decode(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + ZString(L"/");
    platform.removeFile = [](const ZString& path) { std::remove(path.toUtf8().c_str()); };
    return runPdfCheck(args, platform);
}
