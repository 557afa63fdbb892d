#include "app/App.h"

#include "app/AppWin.h"
#include "app/CommandLine.h"
#include "env/Environment.h"
#include "jobs/JobStore.h"
#include "app/UiResources.h"

#include <stdexcept>

namespace {
App* g_app = nullptr;
}

App::App(HINSTANCE module, const ZString& commandLine)
    : BaseApp(module, false), m_commandLine(commandLine)
{
    g_app = this;
}

App::~App()
{
    m_mainWindow.reset();
    m_uiResources.reset();
    m_jobStore.reset();
    g_app = nullptr;
}

App* App::instance() { return g_app; }

void App::start()
{
    m_jobStore = std::make_unique<JobStore>();
    m_uiResources = std::make_unique<UiResources>(*this);
    ensureUserFolders();
    setGhostscriptEnvironment();
    m_mainWindow = std::make_unique<AppWin>(*m_jobStore, *m_uiResources);
    if (!m_mainWindow->create(moduleHandle()))
        throw std::runtime_error("App::start() - AppWindow konnte nicht gestartet werden");
    handleCommandLine(m_commandLine);
}

ZString App::moduleFileName() const
{
    wchar_t buffer[260];
    const DWORD n = GetModuleFileNameW(moduleHandle(), buffer, 260);
    if (n == 0 || n >= 260)
        return ZString();
    return ZString(buffer, static_cast<int>(n));
}
