#include "viewer/PDFViewer.h"

#include "gui/Dpi.h"
#include "viewer/PDFViewerBase.h"

#include <cstdlib>

namespace {

const wchar_t* const kClassName = L"PDFViewerClass";

// Which image of the strip each command shows.
struct ButtonEntry {
    int command; // -1: a separator
    int image;
};
const ButtonEntry kButtons[] = {
    {PDFViewer::kPreviousPage, 1}, {PDFViewer::kNextPage, 2},    {-1, 0},
    {PDFViewer::kZoomIn, 4},       {PDFViewer::kZoomOut, 5},     {PDFViewer::kFitWidth, 7},
    {PDFViewer::kFitHeight, 12},   {PDFViewer::kFitPage, 6},     {-1, 0},
    {PDFViewer::kRotateLeft, 8},   {PDFViewer::kRotateRight, 9}, {PDFViewer::kSaveImage, 10},
};

} // namespace

// ---- the toolbar

PDFViewer::Toolbar::~Toolbar()
{
    if (m_font != nullptr)
        DeleteObject(m_font);
    if (m_background != nullptr)
        DeleteObject(m_background);
}

HWND PDFViewer::Toolbar::makeLabel(HINSTANCE module, DWORD align)
{
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | align, 0, 0, 0, 0, hwnd(),
                                 nullptr, module, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    return label;
}

bool PDFViewer::Toolbar::create(PDFViewer& owner, HINSTANCE module)
{
    if (!BaseToolbar::create(owner.hwnd(),
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_TOP | CCS_NODIVIDER, kToolbarId,
                             module))
        return false;
    const int dpi = dpiOf(owner.hwnd());
    const int imageSize = scale(24, dpi);
    m_images.reset(makeStripImageList(module, L"viewer_tb_img_list.png", imageSize));
    m_disabledImages.reset(makeStripImageList(module, L"viewer_tb_img_list.png", imageSize, 0.3));
    setImageList(m_images.get());
    setDisabledImageList(m_disabledImages.get());
    m_background = static_cast<HBITMAP>(LoadImageW(module, L"viewerTBBg.bmp", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));

    TBBUTTON buttons[std::size(kButtons)] = {};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        if (kButtons[i].command < 0) {
            buttons[i].fsStyle = BTNS_SEP;
            buttons[i].iBitmap = scale(8, dpi);
        } else {
            buttons[i].idCommand = kButtons[i].command;
            buttons[i].iBitmap = kButtons[i].image;
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].fsStyle = BTNS_BUTTON;
        }
    }
    addButtons(buttons, static_cast<int>(std::size(buttons)));

    m_font = CreateFontW(-scale(14, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_CENTER, 0, 0, 0,
                                 0, hwnd(), nullptr, module, nullptr);
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    m_pageField.owner = &owner;
    m_pageField.adopt(field);
    m_countLabel = makeLabel(module, SS_LEFT);
    m_zoomLabel = makeLabel(module, SS_RIGHT);
    autoSize();
    layoutFields();
    return true;
}

void PDFViewer::Toolbar::layoutFields()
{
    const int count = buttonCount();
    RECT last = {};
    if (count <= 0 || !send(TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last)))
        return;
    const int dpi = dpiOf(hwnd());
    const RECT client = clientRect();
    const int height = scale(22, dpi);
    const int top = (client.bottom - height) / 2;
    int x = last.right + scale(12, dpi);
    MoveWindow(m_pageField.hwnd(), x, top, scale(48, dpi), height, TRUE);
    x += scale(48 + 6, dpi);
    MoveWindow(m_countLabel, x, top, scale(70, dpi), height, TRUE);
    const int zoomWidth = scale(64, dpi);
    MoveWindow(m_zoomLabel, std::max(x + scale(76, dpi), static_cast<int>(client.right) - zoomWidth - scale(10, dpi)),
               top, zoomWidth, height, TRUE);
}

void PDFViewer::Toolbar::setPageField(const ZString& text)
{
    if (!text.equals(pageField()))
        SetWindowTextW(m_pageField.hwnd(), text.c_str());
}

ZString PDFViewer::Toolbar::pageField() const { return m_pageField.text(); }

static void setLabel(HWND label, const ZString& text)
{
    wchar_t current[64] = {};
    GetWindowTextW(label, current, 64);
    if (text.equals(current))
        return;
    SetWindowTextW(label, text.c_str());
    // The label is drawn on the toolbar's background, which is painted anew under it.
    HWND toolbar = GetParent(label);
    RECT r;
    GetWindowRect(label, &r);
    MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(toolbar, &r, TRUE);
}

static ZString labelText(HWND label)
{
    wchar_t text[64] = {};
    GetWindowTextW(label, text, 64);
    return ZString(text);
}

void PDFViewer::Toolbar::setPageCountLabel(const ZString& text) { setLabel(m_countLabel, text); }
ZString PDFViewer::Toolbar::pageCountLabel() const { return labelText(m_countLabel); }
void PDFViewer::Toolbar::setZoomLabel(const ZString& text) { setLabel(m_zoomLabel, text); }
ZString PDFViewer::Toolbar::zoomLabel() const { return labelText(m_zoomLabel); }

LRESULT PDFViewer::Toolbar::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        if (m_background != nullptr) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            BITMAP info = {};
            GetObjectW(m_background, sizeof(info), &info);
            HDC source = CreateCompatibleDC(dc);
            const HGDIOBJ old = SelectObject(source, m_background);
            const RECT client = clientRect();
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
            return 1;
        }
        break;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0x22, 0x2B, 0x36));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_SIZE: {
        const LRESULT result = BaseToolbar::windowProcedure(message, wParam, lParam);
        layoutFields();
        return result;
    }
    default:
        break;
    }
    return BaseToolbar::windowProcedure(message, wParam, lParam);
}

LRESULT PDFViewer::Toolbar::PageField::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && wParam == VK_RETURN) {
        if (owner != nullptr)
            owner->pageFieldEntered();
        return 0;
    }
    if (message == WM_GETDLGCODE)
        return BaseWindow::windowProcedure(message, wParam, lParam) | DLGC_WANTALLKEYS;
    return BaseWindow::windowProcedure(message, wParam, lParam);
}

// ---- the frame

PDFViewer::PDFViewer(HINSTANCE module) : m_module(module) {}

PDFViewer::~PDFViewer()
{
    if (holdsDisplay())
        m_display->detach();
    m_display.reset();
    if (HWND window = hwnd()) {
        releaseHandle();
        DestroyWindow(window);
    }
}

bool PDFViewer::create(HWND owner, const ZString& title)
{
    if (!registerClass(kClassName, m_module))
        return false;
    const int dpi = dpiOf(owner);
    return BaseWindow::create(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, scale(760, dpi), scale(900, dpi), owner, nullptr, m_module);
}

void PDFViewer::setPageDisplay(std::shared_ptr<PDFViewerBase> display)
{
    // Two viewers may share a file's display (two jobs with pages of one
    // file): it is taken back whenever another frame holds it.
    if (m_display && m_display != display && holdsDisplay())
        m_display->detach();
    m_display = std::move(display);
    if (m_display && hwnd() != nullptr && !holdsDisplay()) {
        m_display->attach(hwnd(), kDisplayId);
        layout();
        m_display->show(SW_SHOW);
    }
    updateLabels();
}

bool PDFViewer::holdsDisplay() const
{
    return m_display && hwnd() != nullptr && GetParent(m_display->hwnd()) == hwnd();
}

void PDFViewer::setPageCount(int count) { m_toolbar.setPageCountLabel(ZString::format(L"/ %d", count)); }

int PDFViewer::fieldPage() const { return m_display ? m_display->currentPage() : 0; }

int PDFViewer::fieldPageCount() const { return m_display ? m_display->pageCount() : 0; }

void PDFViewer::goToPage(int page)
{
    if (m_display && page >= 1 && page <= m_display->pageCount())
        m_display->showPage(page);
}

void PDFViewer::pageFieldEntered()
{
    const int page = _wtoi(m_toolbar.pageField().c_str());
    goToPage(page);
    updateLabels();
}

void PDFViewer::runCommand(int command)
{
    PDFViewerBase* display = m_display.get();
    if (display == nullptr)
        return;
    // Paging and zooming only on the display this frame shows (another
    // viewer of the same file may have taken it).
    if (command >= kPreviousPage && command <= kZoomOut && !holdsDisplay())
        return;
    switch (command) {
    case kPreviousPage:
        if (fieldPage() > 1)
            goToPage(fieldPage() - 1);
        break;
    case kNextPage:
        if (fieldPage() < fieldPageCount())
            goToPage(fieldPage() + 1);
        break;
    case kZoomIn:
        display->zoomBy(ViewerModel::kZoomInFactor);
        break;
    case kZoomOut:
        display->zoomBy(ViewerModel::kZoomOutFactor);
        break;
    case kSaveImage:
        display->saveImage();
        break;
    case kFitWidth:
        display->fitWidth();
        break;
    case kFitHeight:
        display->fitHeight();
        break;
    case kFitPage:
        display->fitPage();
        break;
    case kRotateRight:
        display->rotate(90);
        break;
    case kRotateLeft:
        display->rotate(-90);
        break;
    default:
        break;
    }
    updateLabels();
}

void PDFViewer::close() { destroy(); }

void PDFViewer::layout()
{
    if (m_toolbar.hwnd() == nullptr)
        return;
    m_toolbar.autoSize();
    const RECT client = clientRect();
    const RECT bar = m_toolbar.windowRect();
    const int barHeight = bar.bottom - bar.top;
    m_toolbar.layoutFields();
    if (m_display)
        m_display->move(0, barHeight, client.right, std::max(0, static_cast<int>(client.bottom) - barHeight));
}

void PDFViewer::updateLabels()
{
    const int page = fieldPage();
    m_toolbar.setPageField(page > 0 ? ZString::format(L"%d", page) : ZString());
    if (m_display) {
        const double z = m_display->zoom();
        m_toolbar.setZoomLabel(z > 0 ? ZString::format(L"%d%%", static_cast<int>(z * 100)) : ZString());
    } else {
        m_toolbar.setZoomLabel(ZString());
    }
}

LRESULT PDFViewer::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        m_toolbar.create(*this, m_module);
        if (m_display) {
            m_display->attach(hwnd(), kDisplayId);
            m_display->show(SW_SHOW);
        }
        layout();
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        close();
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_toolbar.hwnd() && HIWORD(wParam) == BN_CLICKED) {
            runCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (m_display && header->hwndFrom == m_display->hwnd() && header->code == PDFViewerBase::kViewChanged) {
            updateLabels();
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}
