// Prints pages of PDF files: a producer thread renders each page to a bitmap
// with the interpreter, the printing thread draws the bitmaps on the printer.
#pragma once

#include "base/Thread.h"
#include "operations/ChildProcess.h"
#include "operations/PrintOp.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

struct PrintPageEntry {
    ZString path;  // a PDF file
    uint32_t page; // from 1
};

class PDFPrinter : public PrintOpClass {
public:
    PDFPrinter(std::vector<PrintPageEntry> pages, std::vector<PrintPageEntry> selection);
    ~PDFPrinter() override;

    uint32_t pageCount() const override { return static_cast<uint32_t>(m_pages.size()); }
    bool hasSelection() const override { return !m_selection.empty(); }
    void printAll(HDC dc) override;
    void printRange(HDC dc, uint32_t from, uint32_t to) override;
    void printSelection(HDC dc) override;
    void stop() override;

    // The name the spooler shows; "Tamlo PDF Printer" unless set.
    void setDocumentName(const ZString& name) { m_documentName = name; }
    // A file that receives the printer's output in place of its port (empty: the port).
    void setOutputFile(const ZString& path) { m_outputFile = path; }

    // Renders the entries one by one into temporary bitmaps, at most
    // kMaxWaiting ahead of the printer.
    class ImageMaker : public Thread {
    public:
        static constexpr size_t kMaxWaiting = 6;

        ImageMaker(std::vector<PrintPageEntry> entries, int resolution);
        // Stops, waits for the thread and deletes the bitmaps nobody took.
        ~ImageMaker() override;
        void run() override;

        // The oldest rendered bitmap, taken off the queue; false when none waits.
        bool takeNext(ZString& bitmap);
        // Renders nothing more and ends the render in progress.
        void requestStop();
        // Deletes the bitmaps still waiting in the queue now.
        void discardWaiting();

    private:
        bool render(const PrintPageEntry& entry);

        std::vector<PrintPageEntry> m_entries;
        int m_resolution;
        std::mutex m_lock;
        std::deque<ZString> m_queue;
        std::atomic<bool> m_stop{false};
        AbortControl m_abort;
    };

private:
    void printPages(HDC dc, const std::vector<PrintPageEntry>& entries);
    bool cancelled() const { return progress() != nullptr && progress()->cancelRequested(); }
    void report(uint32_t page, uint32_t count);
    void reportBar(int step, uint32_t count);

    std::vector<PrintPageEntry> m_pages;
    std::vector<PrintPageEntry> m_selection;
    ZString m_documentName{L"Tamlo PDF Printer"};
    ZString m_outputFile;
    std::unique_ptr<ImageMaker> m_maker;
};
