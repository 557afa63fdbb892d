// The program object: one per process, reachable through App::instance().
// start() builds the job store, the shared UI resources, the user folders and
// Ghostscript's environment, the main window, and then processes the command
// line the process was started with.
#pragma once

#include "app/BaseInstance.h"
#include "base/ZString.h"

#include <memory>

class AppWin;
class JobStore;
class UiResources;

class App : public BaseApp {
public:
    // commandLine: the process's command line without the program name.
    App(HINSTANCE module, const ZString& commandLine);
    // Destroys the main window, the UI resources and the job store, in that order.
    ~App() override;

    static App* instance();

    // Throws std::runtime_error when start-up cannot go on.
    void start();

    ZString moduleFileName() const;
    const ZString& commandLine() const { return m_commandLine; }
    JobStore* jobStore() { return m_jobStore.get(); }
    UiResources* uiResources() { return m_uiResources.get(); }
    AppWin* mainWindow() { return m_mainWindow.get(); }

private:
    std::unique_ptr<JobStore> m_jobStore;
    std::unique_ptr<UiResources> m_uiResources;
    std::unique_ptr<AppWin> m_mainWindow;
    ZString m_commandLine;
};
