#include "operations/Ghostscript.h"

#include "base/Files.h"
#include "base/Settings.h"
#include "operations/ChildProcess.h"
#include "operations/InterpreterCheck.h"

#include <windows.h>

#include <string>

namespace {

// Each UTF-16 code unit by itself as UTF-8 (1 to 3 bytes), as the interpreter
// reads its argument files.
std::string utf8PerCodeUnit(const ZString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.length()) + 16);
    for (const wchar_t c : text.view()) {
        const unsigned u = static_cast<unsigned>(c) & 0xFFFFu;
        if (u < 0x80) {
            bytes.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (u >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xE0 | (u >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return bytes;
}

ZString jpegDevice(int quality) { return ZString::format(L"-sDEVICE=jpeg -dJPEGQ=%d", quality); }

} // namespace

void runGhostscript(const ZString& arguments, AbortControl* control)
{
    ZString argumentText(arguments);
    ZString argumentFile;
    if (argumentText.length() > kMaxInlineArguments) {
        argumentFile = makeTempFileName(kTempSubFolder, ZString(), L".gs");
        writeWholeFile(argumentFile, utf8PerCodeUnit(argumentText));
        argumentText = L"\"@" + argumentFile + L"\"";
    }
    ZString commandLine = progConfig_getStr(L"GsWin32cCmdline", ZString());
    reportMissingInterpreter(commandLine); // the run below then fails to start, as callers expect
    commandLine.append(L" -dSAFER -dNOPAUSE -dBATCH ").append(argumentText);
    runAndWait(commandLine, control);
    if (!argumentFile.isEmpty())
        deleteFile(argumentFile, true);
}

void renderPagesBmp(const ZString& in, const ZString& out, uint32_t first, uint32_t last, int resolution,
                    AbortControl* control)
{
    runGhostscript(renderPagesArguments(in, out, first, last, resolution, L"-sDEVICE=bmp16m"), control);
}

void renderPagesJpeg(const ZString& in, const ZString& out, uint32_t first, uint32_t last, int resolution,
                     int quality, AbortControl* control)
{
    runGhostscript(renderPagesArguments(in, out, first, last, resolution, jpegDevice(quality)), control);
}

ZString exportPageImage(const ZString& in, uint32_t page, int resolution, bool tiff, AbortControl* control)
{
    const ZString out = newPageImageFileName(tiff);
    exportPageImageTo(in, out, page, resolution, tiff, control);
    return out;
}

ZString newPageImageFileName(bool tiff)
{
    return makeTempFileName(kTempSubFolder, ZString(), tiff ? L".tiff" : L".jpg");
}

void exportPageImageTo(const ZString& in, const ZString& out, uint32_t page, int resolution, bool tiff,
                       AbortControl* control)
{
    runGhostscript(exportPageArguments(in, out, page, resolution, tiff), control);
}

void psToPdf(const ZString& in, const ZString& out, AbortControl* control)
{
    runGhostscript(psToPdfArguments(in, out), control);
}

void extractPages(const ZString& in, const ZString& out, uint32_t first, uint32_t last, AbortControl* control)
{
    runGhostscript(extractPagesArguments(in, out, first, last), control);
}

void mergePdfFiles(const std::vector<ZString>& inputs, const ZString& out, AbortControl* control)
{
    runGhostscript(mergeArguments(inputs, out), control);
}
