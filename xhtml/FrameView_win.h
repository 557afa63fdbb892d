// A window that shows a markup document: as a child of another window, or as
// a modal popup that runs until something closes it with a result. Buttons
// ("input type=button") are real push buttons that report their name; links
// report themselves, and a link whose target is "close" closes the frame with 1.
#pragma once

#include "xhtml/HtmlDocument.h"
#include "xhtml/Layout_win.h"
#include "xhtml/Resources_win.h"

#include <windows.h>

#include <map>
#include <memory>

namespace xhtml {

class FrameView {
public:
    FrameView();
    virtual ~FrameView();
    FrameView(const FrameView&) = delete;
    FrameView& operator=(const FrameView&) = delete;

    // The module "res://" without a host names (null: the program itself).
    void setResourceLibrary(HMODULE module) { m_resourceLibrary = module; }
    HMODULE resourceLibrary() const { return m_resourceLibrary; }
    // Loads the document at the address; relative image addresses are joined
    // to base. False when there is no such document (the frame stays empty).
    bool loadDocument(const ZString& address, const ZString& base);
    void setDocument(const ZString& markup, const ZString& base);

    // Height of the document laid out at that width.
    int contentHeight(int width);

    bool createChild(HWND parent, const RECT& rect);
    // Shows the frame centred over the owner with that client size and runs
    // until close(); the owner is disabled meanwhile. Returns the result.
    int runModal(HWND owner, int clientWidth, int clientHeight, bool scrollBar);
    void close(int result);

    HWND window() const { return m_window; }
    const Layout& layout() const { return m_layout; }
    int scrollPosition() const { return m_scroll; }
    // The frame a window belongs to; null for other windows.
    static FrameView* fromWindow(HWND window);

protected:
    virtual void buttonPressed(const ZString& name);
    virtual void linkFollowed(const HtmlTagNode& link);

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool createWindow(DWORD style, DWORD exStyle, HWND parent, const RECT& rect);
    void relayout();
    void placeButtons();
    void paint(HDC dc, const RECT& area);
    void scrollTo(int position);
    const HtmlTagNode* interactiveAt(POINT client) const;
    bool isInteractive(const HtmlTagNode& element) const;
    void setPointer(const HtmlTagNode* hover, const HtmlTagNode* pressed, int pressedState);
    int stateOf(const HtmlTagNode& element) const;
    void dropButtons();

    GdiplusSession m_gdiplus;
    HMODULE m_resourceLibrary = nullptr;
    HtmlDocument m_document;
    ZString m_base;
    FontCache m_fonts;
    std::unique_ptr<ImageCache> m_images;
    Layout m_layout;
    HWND m_window = nullptr;
    std::map<const HtmlTagNode*, HWND> m_buttons;
    int m_scroll = 0;
    const HtmlTagNode* m_hover = nullptr;
    const HtmlTagNode* m_pressed = nullptr;
    int m_pressedState = 0;
    bool m_tracking = false;
    bool m_modal = false;
    bool m_closed = false;
    int m_result = 0;
};

} // namespace xhtml
