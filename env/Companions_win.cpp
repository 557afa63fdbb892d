#include "env/Companions.h"

#include "env/Choosers.h"
#include "env/FileHandlerArgs.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "gui/Messages.h"

#include <windows.h>
#include <shellapi.h>

namespace {

bool shellStart(const wchar_t* verb, const ZString& file, const ZString& parameters, int show, HWND owner = nullptr)
{
    const HINSTANCE result = ShellExecuteW(owner, verb, file.c_str(),
                                           parameters.isEmpty() ? nullptr : parameters.c_str(), nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

// The main window, which owns the program's boxes and dialogs.
HWND mainWindowHandle() { return messageOwner(); }

} // namespace

ZString companionPath(const wchar_t* fileName, bool quoted)
{
    const ZString path = joinPath(progConfig_getStr(L"BinDir", ZString()), fileName);
    return quoted ? quote(path) : path;
}

bool companionExists(const wchar_t* fileName) { return pathExists(companionPath(fileName)); }

bool startBackgroundProgram()
{
    if (FindWindowW(L"Tamlo_Backend", L"Tamlo") != nullptr)
        return true;
    // A missing program is not started at all, so that the shell shows no error of its own.
    if (!companionExists(kBackgroundProgram))
        return false;
    return shellStart(L"open", companionPath(kBackgroundProgram), ZString(), SW_HIDE);
}

void openSettingsProgram(bool elevated)
{
    shellStart(elevated ? L"runas" : L"open", companionPath(kSettingsProgram), ZString(), SW_SHOWNORMAL);
}

void openScannerImport() { shellStart(L"open", companionPath(kConversionTool), L"<twain>", SW_SHOWNORMAL); }

void extractPages(const ZString& pdfPath)
{
    ZString path(pdfPath);
    if (path.isEmpty() && !choosePdfFile(mainWindowHandle(), ZString(), ZString(), path))
        return;
    shellStart(L"open", companionPath(kConversionTool), ZString(L"-extractPages ") + quote(path), SW_SHOW);
}

void openCertificateManager() { shellStart(L"open", L"certmgr.msc", ZString(), SW_SHOW); }

void openUpdater(const ZString& arguments)
{
    shellStart(L"open", companionPath(kUpdater), arguments, SW_SHOWNORMAL);
}

bool handFilesToFaxProgram(const FileHandlerArgs& args)
{
    return shellStart(L"open", companionPath(kFaxProgram), args.toCommandLine(), SW_SHOWNORMAL);
}

bool startCompanion(HWND owner, const wchar_t* fileName, const ZString& arguments, int show)
{
    return shellStart(L"open", companionPath(fileName), arguments, show, owner);
}

void openUrl(const ZString& url)
{
    shellStart(L"open", L"rundll32.exe", ZString(L"url.dll,FileProtocolHandler ") + url, SW_SHOW);
}
