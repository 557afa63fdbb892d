#include "app/CommandLine.h"

#include "app/App.h"
#include "app/AppWin.h"
#include "env/Choosers.h"
#include "env/Companions.h"
#include "env/Features.h"
#include "env/FileHandlerArgs.h"
#include "env/RegisteredNames.h"
#include "jobs/JobStore.h"
#include "app/VistelSequentializer.h"
#include "base/Files.h"
#include "base/Lang.h"
#include "gui/Messages.h"
#include "gui/PaintPacer.h"
#include "base/Paths.h"
#include "operations/Conversions.h"

#include <windows.h>

#include <cstdio>
#include <deque>
#include <exception>

namespace {

// Command lines waiting to be processed; the front one is being processed.
std::deque<ZString>& pendingCommandLines()
{
    static std::deque<ZString> queue;
    return queue;
}

UINT_PTR g_bringToFrontTimer = 0;

// The main window while it stands; none once it is destroyed (a close taken
// in a nested message loop while a command line is being processed).
AppWin* mainWindow()
{
    App* app = App::instance();
    AppWin* window = app != nullptr ? app->mainWindow() : nullptr;
    return window != nullptr && window->hwnd() != nullptr ? window : nullptr;
}

size_t jobCount()
{
    App* app = App::instance();
    return app != nullptr && app->jobStore() != nullptr ? app->jobStore()->jobCount() : 0;
}

void showFolder(const ZString& folder)
{
    if (AppWin* window = mainWindow())
        window->explorerList().navigate(folder, true);
}

// Whether the job list still makes thumbnails for pages in view.
bool jobThumbnailsInViewPending()
{
    AppWin* window = mainWindow();
    return window != nullptr && window->jobList().container().thumbnailsInViewPending();
}

// Between files of a batch: the job list shows the jobs added so far (see PaintPacer).
void showAddedJobs(PaintPacer& pacer)
{
    if (AppWin* window = mainWindow())
        pacer.step(window->jobList().hwnd());
}

void killBringToFrontTimer()
{
    if (g_bringToFrontTimer != 0) {
        KillTimer(nullptr, g_bringToFrontTimer);
        g_bringToFrontTimer = 0;
    }
}

void CALLBACK bringToFrontLater(HWND, UINT, UINT_PTR, DWORD)
{
    killBringToFrontTimer();
    if (AppWin* window = mainWindow())
        window->bringToFront();
}

void processCommandLine(const ZString& commandLine)
{
    FileHandlerArgs args;
    args.parse(commandLine, false);
    const size_t count = args.files.size();
    // Many files take a while: the job list is shown growing and the first
    // thumbnails are asked for (and shown) while the rest are added; the
    // rest of the window (the explorer at a first job's folder) follows after.
    PaintPacer pacer(jobThumbnailsInViewPending);
    for (const ZString& file : args.files) {
        // A name given for several files would name them all alike: each is named after its file instead.
        const ZString name = count > 1 ? jobNameForFile(file) : args.name;
        const bool temporary = args.deleteFiles && count == 1;
        // A file that waits for the conversion tool is deleted by its worker instead.
        if (!addFile(file, name, temporary) && temporary)
            DeleteFileW(file.c_str());
        if (temporary) {
            if (!args.dir.isEmpty() && isFolder(args.dir) && jobCount() == 1)
                showFolder(args.dir);
        } else if (jobCount() == 1) {
            showFolder(folderPart(file));
        }
        if (&file != &args.files.back()) // after the last, the message loop paints
            showAddedJobs(pacer);
    }
}

} // namespace

void handleCommandLine(const ZString& commandLine)
{
    if (commandLine.isEmpty())
        return;
    std::deque<ZString>& pending = pendingCommandLines();
    pending.push_back(commandLine);
    if (pending.size() > 1)
        return; // a call further up the stack is still working and takes this one next
    while (!pending.empty()) {
        try {
            processCommandLine(ZString(pending.front()));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
        pending.pop_front();
    }
}

bool addFile(const ZString& path, const ZString& jobName, bool temporary)
{
    AppWin* window = mainWindow();
    if (!isFile(path) || window == nullptr) // once the program closes, nothing more is taken
        return false;
    killBringToFrontTimer();
    VistelSequentializer& converter = VistelSequentializer::instance();
    switch (fileKindOf(path)) {
    case FileKind::PostScript: {
        const ZString pdf = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
        // The conversion waits in a message loop, where the program may have been closed.
        if (convertPsToPdf(path, pdf, window->hwnd()) && isFile(pdf) && (window = mainWindow()) != nullptr)
            window->jobList().addJobFromFile(pdf, jobName);
        deleteFile(pdf, true);
        break;
    }
    case FileKind::Pdf:
        window->jobList().addJobFromFile(path, jobName);
        break;
    case FileKind::Other:
        if (!companionExists(kConversionTool)) {
            ZString text(lang_getStr(L"quillet/jobs/~conversion-tool-missing"));
            text.replaceAll(L"{FILE_NAME}", path);
            showError(text);
            return false;
        }
        converter.push(path, temporary);
        if (!converter.isRunning())
            converter.start();
        return temporary;
    }
    if ((window = mainWindow()) != nullptr && !window->isForeground() && isFeatureOn(L"delayedToForegroundOnNewFile"))
        g_bringToFrontTimer = SetTimer(nullptr, 0, 3000, bringToFrontLater);
    return false;
}

FileKind fileKindOf(const ZString& path)
{
    ZString ext = extensionOf(path);
    ext.toLower();
    if (ext.equals(L".ps") || ext.equals(L".eps"))
        return FileKind::PostScript;
    if (ext.equals(L".pdf"))
        return FileKind::Pdf;
    return FileKind::Other;
}

void openDocuments(HWND owner)
{
    std::vector<ZString> paths;
    if (!chooseDocuments(owner, {{L"All Files (*.*)", L"*.*"}}, paths))
        return;
    PaintPacer pacer(jobThumbnailsInViewPending);
    for (const ZString& path : paths) {
        addFile(path, jobNameForFile(path));
        if (&path != &paths.back())
            showAddedJobs(pacer);
    }
}
