#include "tests/zpdf/Ghostscript.h"

#include <cstdio>
#include <unistd.h>

namespace {
constexpr const char* kGs = "/usr/bin/gs";
}

bool ghostscriptAvailable() { return access(kGs, X_OK) == 0; }

int ghostscriptPageCount(const ZString& path, std::string& output)
{
    // The path reaches PostScript as a string parameter, so no character of
    // it needs quoting there; the shell gets it in single quotes.
    std::string quoted = "'";
    for (char c : path.toUtf8())
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    const std::string command = std::string(kGs) + " -q -dNODISPLAY -dNOSAFER -sPdfFile=" + quoted +
                                " -c \"PdfFile (r) file runpdfbegin pdfpagecount = quit\" 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    if (pclose(pipe) != 0)
        return -1;
    return pageCountFromOutput(output);
}
