// The browser of the branding bar: silent, with the "tamlo:" scheme and the
// page's five script functions. It shows itself only for pages that loaded
// (status below 400); a request for a new window goes to the system's browser.
#pragma once

#include "web/BrowserFunctions_win.h"
#include "web/ScriptPage.h"
#include "web/WebBrowser_win.h"

#include <cstdint>
#include <memory>

class EmbeddedBrowser : public WebBrowser, public ScriptPage {
public:
    explicit EmbeddedBrowser(HWND parent);
    ~EmbeddedBrowser() override;

    int32_t lastNavigationStatus() const { return m_lastNavigationStatus; }

    // ScriptPage
    HWND pageWindow() const override { return m_parent; }
    ComPtr<IDispatch> scriptGlobal() override;

    // Navigation events (public so that they can be driven without a page).
    void onNavigateError(int32_t status, VARIANT_BOOL* cancel) override;
    void onDocumentComplete() override;
    void onNewWindow(const ZString& url, VARIANT_BOOL* cancel) override;

private:
    BrowserFunctions m_functions;
    int32_t m_lastNavigationStatus = 0;
};

// The in-app page: the installation's "InAppServer" (an https address, default
// "https://www.tamlo.de") + "/inapp/quillet/" + the identity query.
ZString inAppPageAddress();

// What the branding bar calls: the browser in parent at rect, showing the
// in-app page, when the "embeddedBrowser" feature is on; none otherwise.
std::unique_ptr<EmbeddedBrowser> createBrandingBrowser(HWND parent, const RECT& rect);
