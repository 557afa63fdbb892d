#include "app/BrandingBar.h"

#include "gui/Dpi.h"
#include "web/EmbeddedBrowser_win.h"
#include "xhtml/BrandingBar_win.h"

BrandingBar::BrandingBar() = default;

BrandingBar::~BrandingBar()
{
    m_browser.reset(); // a child of the markup frame: goes first
    m_markup.reset();
}

int BrandingBar::heightFor(int dpi) { return scale(50, dpi); }

bool BrandingBar::create(HWND parent, HINSTANCE, int x, int y, int width, int height)
{
    m_markup = std::make_unique<xhtml::BrandingBar>();
    if (!m_markup->create(parent))
        return false;
    MoveWindow(m_markup->window(), x, y, width, height, TRUE);
    m_browser = createBrandingBrowser(m_markup->window(), {0, 0, width, height});
    return true;
}

void BrandingBar::move(int x, int y, int width, int height)
{
    if (m_markup == nullptr || m_markup->window() == nullptr)
        return;
    MoveWindow(m_markup->window(), x, y, width, height, TRUE);
    if (m_browser != nullptr)
        m_browser->setRect({0, 0, width, height});
}

HWND BrandingBar::hwnd() const { return m_markup != nullptr ? m_markup->window() : nullptr; }
