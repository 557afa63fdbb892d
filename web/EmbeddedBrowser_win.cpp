#include "web/EmbeddedBrowser_win.h"

#include "env/Features.h"
#include "env/IdentityUrl.h"
#include "base/Settings.h"
#include "web/TamloProtocol_win.h"

#include <mshtml.h>
#include <shellapi.h>
#include <urlmon.h>

namespace {
void registerTamloScheme()
{
    static bool registered = false;
    if (registered)
        return;
    ComPtr<IInternetSession> session;
    if (SUCCEEDED(CoInternetGetSession(0, session.put(), 0)) && session)
        registered = SUCCEEDED(session->RegisterNameSpace(&TamloProtocolFactory::instance(), CLSID_TamloProtocol, L"tamlo", 0, nullptr, 0));
}
} // namespace

EmbeddedBrowser::EmbeddedBrowser(HWND parent) : WebBrowser(parent, &m_functions), m_functions(this)
{
    if (!hasControl())
        return;
    webBrowser2()->put_Silent(VARIANT_TRUE);
    registerTamloScheme();
    external().registerFunctions(m_functions.functionNames());
}

EmbeddedBrowser::~EmbeddedBrowser() = default;

ComPtr<IDispatch> EmbeddedBrowser::scriptGlobal()
{
    if (!webBrowser2())
        return ComPtr<IDispatch>();
    ComPtr<IDispatch> document;
    webBrowser2()->get_Document(document.put());
    ComPtr<IHTMLDocument> html = document.query<IHTMLDocument>();
    ComPtr<IDispatch> global;
    if (html)
        html->get_Script(global.put());
    return global;
}

void EmbeddedBrowser::onNavigateError(int32_t status, VARIANT_BOOL* cancel)
{
    m_lastNavigationStatus = status;
    if (cancel != nullptr)
        *cancel = VARIANT_TRUE;
    if (HWND window = controlWindow())
        ShowWindow(window, SW_HIDE);
}

void EmbeddedBrowser::onDocumentComplete()
{
    if (m_lastNavigationStatus < 0 || m_lastNavigationStatus >= 400)
        return;
    if (HWND window = controlWindow()) {
        ShowWindow(window, SW_SHOW);
        InvalidateRect(window, nullptr, TRUE);
    }
}

void EmbeddedBrowser::onNewWindow(const ZString& url, VARIANT_BOOL* cancel)
{
    if (cancel != nullptr)
        *cancel = VARIANT_TRUE;
    if (!url.isEmpty())
        ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

ZString inAppPageAddress()
{
    ZString server = progConfig_getStr(L"InAppServer", L"https://www.tamlo.de");
    while (server.endsWith(L'/'))
        server.truncate(server.length() - 1);
    return withIdentityQuery(server + L"/inapp/quillet/");
}

std::unique_ptr<EmbeddedBrowser> createBrandingBrowser(HWND parent, const RECT& rect)
{
    if (!isFeatureOn(L"embeddedBrowser"))
        return nullptr;
    auto browser = std::make_unique<EmbeddedBrowser>(parent);
    if (!browser->hasControl())
        return nullptr;
    browser->setRect(rect);
    browser->navigate(inAppPageAddress());
    return browser;
}
