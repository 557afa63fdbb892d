// The viewer frame (class "PDFViewerClass"): a toolbar with the page
// commands, a page field and the page count, and below it the page display
// of one file. JobViewer walks a job's pages across their files.
#pragma once

#include "base/ZString.h"
#include "gui/BaseToolbar.h"
#include "gui/ImageStrip.h"

#include <memory>

class PDFViewerBase;

class PDFViewer : public BaseWindow {
public:
    // The toolbar's command numbers.
    enum Command {
        kPreviousPage = 0,
        kNextPage = 1,
        kZoomIn = 2,
        kZoomOut = 3,
        kSaveImage = 4,
        kFitWidth = 5,
        kFitHeight = 6,
        kFitPage = 7,
        kRotateRight = 8, // +90
        kRotateLeft = 9,  // -90
    };
    static constexpr int kDisplayId = 100;
    static constexpr int kToolbarId = 101;

    // The toolbar: its images from "viewer_tb_img_list.png" (disabled ones at
    // 30 % opacity), its background "viewerTBBg.bmp", the page field (Enter
    // goes to the typed page) and the "/ N" label in Arial 14 px.
    class Toolbar : public BaseToolbar {
    public:
        Toolbar() = default;
        ~Toolbar() override;
        bool create(PDFViewer& owner, HINSTANCE module);
        void layoutFields();
        void setPageField(const ZString& text);
        ZString pageField() const;
        void setPageCountLabel(const ZString& text);
        ZString pageCountLabel() const;
        void setZoomLabel(const ZString& text);
        ZString zoomLabel() const;
        HWND pageFieldWindow() const { return m_pageField.hwnd(); }
        LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        class PageField : public BaseWindow {
        public:
            PDFViewer* owner = nullptr;
            LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
        };
        HWND makeLabel(HINSTANCE module, DWORD align);

        PageField m_pageField;
        HWND m_countLabel = nullptr;
        HWND m_zoomLabel = nullptr;
        HFONT m_font = nullptr;
        HBITMAP m_background = nullptr;
        ImageListHolder m_images;
        ImageListHolder m_disabledImages;
    };

    explicit PDFViewer(HINSTANCE module = GetModuleHandleW(nullptr));
    ~PDFViewer() override;

    // The frame, hidden, owned by owner (or none).
    bool create(HWND owner, const ZString& title);

    // Attaches a page display (detaching the one shown before); none detaches.
    void setPageDisplay(std::shared_ptr<PDFViewerBase> display);
    PDFViewerBase* pageDisplay() const { return m_display.get(); }
    // The "/ N" label.
    void setPageCount(int count);
    Toolbar& toolbar() { return m_toolbar; }

    virtual void runCommand(int command);
    // Destroys the frame; the job viewer only hides.
    virtual void close();

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The page the previous and next commands start from, and the page field shows.
    virtual int fieldPage() const;
    virtual int fieldPageCount() const;
    virtual void goToPage(int page);
    void layout();
    void updateLabels();

private:
    friend class Toolbar;
    void pageFieldEntered();
    // True while the page display is this frame's child.
    bool holdsDisplay() const;

    HINSTANCE m_module;
    Toolbar m_toolbar;
    std::shared_ptr<PDFViewerBase> m_display;
};
