// tamlo-Vistel: the conversion companion. The program runs it once per file
// that is neither PDF nor PostScript:
//
//   tamlo-Vistel.exe "C:\path\photo.jpg"
//
// It makes a PDF of the file in the temporary folder ("Tamlo") and hands it
// back as a job named after the file (see HandBack.h). Several files make one
// job, named after the first. A file that cannot be converted is named in a
// message, and no job is made. The program's other calls (scanner import,
// page extraction, web mail-out) are answered with a message that they are
// not available here.
#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "gui/Messages.h"
#include "tools/vistel/Conversion.h"
#include "tools/vistel/GdiplusFrames.h"
#include "tools/vistel/HandBack.h"
#include "zpdf/Document.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace {

std::vector<ZString> arguments()
{
    std::vector<ZString> result;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (list == nullptr)
        return result;
    for (int i = 1; i < count; ++i)
        result.emplace_back(list[i]);
    LocalFree(list);
    return result;
}

// A start with SW_HIDE (as the program starts its companions) would hide the
// first window shown; a hidden window of our own takes that first showing so
// that message boxes appear.
void takeFirstShowing()
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    if ((startup.dwFlags & STARTF_USESHOWWINDOW) == 0)
        return;
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_HIDE);
        DestroyWindow(window);
    }
}

void showFailure(Failure failure, const ZString& path)
{
    ZString text(lang_getStr(failureTextKey(failure)));
    text.replaceAll(L"{FILE_NAME}", fileNamePart(path));
    text.replaceAll(L"{EXTENSION}", extensionOf(path));
    showError(text);
}

// Scanner import, page extraction and web mail-out have no counterpart here.
// Files handed over for mail-out are temporary copies the caller expects us
// to delete.
int answerUnavailableCall(const std::vector<ZString>& args)
{
    bool deleteFiles = false;
    for (const ZString& arg : args)
        deleteFiles = deleteFiles || arg.equals(L"-deleteFiles");
    const ZString temp = tempFolder();
    for (size_t i = 0; deleteFiles && i + 1 < args.size(); ++i) {
        const ZString& file = args[i + 1];
        if (args[i].equals(L"-namedFile") && file.length() > temp.length() &&
            file.substring(0, temp.length() - 1).equalsIgnoreCase(temp))
            deleteFile(file, false);
    }
    showInfo(lang_getStr(L"vistel/~function-not-available"));
    return 2;
}

int convertToJob(const std::vector<ZString>& files)
{
    GdiplusSession gdiplus;
    zpdf::Document document;
    for (const ZString& file : files) {
        const Failure failure = convertFile(file, document);
        if (failure != Failure::None) {
            showFailure(failure, file);
            return 1;
        }
    }
    const ZString pdf = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    if (!document.save(pdf)) {
        deleteFile(pdf, true);
        showFailure(Failure::NotWritten, files.front());
        return 1;
    }
    if (!handBackAsJob(pdf, withoutExtension(fileNamePart(files.front())))) {
        deleteFile(pdf, true);
        showFailure(Failure::NotWritten, files.front());
        return 1;
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    takeFirstShowing();
    const std::vector<ZString> args = arguments();
    if (args.empty() || args.front().startsWith(L'-') || args.front().startsWith(L'<'))
        return answerUnavailableCall(args);
    return convertToJob(args);
}
