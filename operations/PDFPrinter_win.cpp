#include "operations/PDFPrinter.h"

#include "base/Files.h"
#include "base/Lang.h"

#include <windows.h>

#include <gdiplus.h>

#include <algorithm>

namespace {

constexpr uint32_t kStopWaitMs = 30000;
constexpr int kMaxResolution = 600;

// Draws one bitmap file as a page, scaled to fit the printable area at its
// top left corner. False when the file could not be loaded.
bool printBitmap(HDC dc, const ZString& path, int printableWidth, int printableHeight)
{
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetWidth() == 0 || bitmap.GetHeight() == 0)
        return false;
    const double width = bitmap.GetWidth();
    const double height = bitmap.GetHeight();
    const double scale = std::min(printableWidth / width, printableHeight / height);
    StartPage(dc);
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        graphics.DrawImage(&bitmap, 0, 0, static_cast<INT>(width * scale), static_cast<INT>(height * scale));
    }
    EndPage(dc);
    return true;
}

} // namespace

PDFPrinter::PDFPrinter(std::vector<PrintPageEntry> pages, std::vector<PrintPageEntry> selection)
    : m_pages(std::move(pages)), m_selection(std::move(selection))
{
}

PDFPrinter::~PDFPrinter() = default;

void PDFPrinter::printAll(HDC dc) { printPages(dc, m_pages); }

void PDFPrinter::printRange(HDC dc, uint32_t from, uint32_t to)
{
    std::vector<PrintPageEntry> entries;
    for (uint32_t page = std::max<uint32_t>(from, 1); page <= to && page <= m_pages.size(); ++page)
        entries.push_back(m_pages[page - 1]);
    printPages(dc, entries);
}

void PDFPrinter::printSelection(HDC dc) { printPages(dc, m_selection); }

void PDFPrinter::stop()
{
    if (m_maker)
        m_maker->join(kStopWaitMs);
}

void PDFPrinter::report(uint32_t page, uint32_t count)
{
    if (progress() == nullptr)
        return;
    ZString line = lang_getStr(L"operations/printing-pages");
    line.replaceAll(L"{PAGE_NUMBER}", ZString::format(L"%u", page));
    line.replaceAll(L"{PAGE_COUNT}", ZString::format(L"%u", count));
    progress()->setProgressLine(line);
}

void PDFPrinter::reportBar(int step, uint32_t count)
{
    if (progress() != nullptr && count > 0)
        progress()->setProgressBar(std::min(100, static_cast<int>(step * 100 / (2 * count))));
}

void PDFPrinter::printPages(HDC dc, const std::vector<PrintPageEntry>& entries)
{
    DOCINFOW document{};
    document.cbSize = sizeof(document);
    document.lpszDocName = m_documentName.c_str();
    document.lpszOutput = m_outputFile.isEmpty() ? nullptr : m_outputFile.c_str();
    if (StartDocW(dc, &document) < 1)
        return;
    const int printableWidth = GetDeviceCaps(dc, HORZRES);
    const int printableHeight = GetDeviceCaps(dc, VERTRES);
    const int resolution =
        std::min(kMaxResolution, std::max(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)));

    const uint32_t count = static_cast<uint32_t>(entries.size());
    m_maker = std::make_unique<ImageMaker>(entries, resolution);
    m_maker->start();
    report(1, count);
    uint32_t printed = 0;
    while (!cancelled()) {
        // Whether it had ended is asked before the queue, so no last bitmap is missed.
        const bool ended = !m_maker->isRunning();
        ZString bitmap;
        if (!m_maker->takeNext(bitmap)) {
            if (ended)
                break;
            Sleep(100);
            continue;
        }
        report(printed + 1, count);
        reportBar(static_cast<int>(2 * printed), count);
        printBitmap(dc, bitmap, printableWidth, printableHeight);
        deleteFile(bitmap, true);
        reportBar(static_cast<int>(2 * printed + 1), count);
        ++printed;
    }
    if (cancelled()) {
        m_maker->requestStop();
        stop();
    }
    EndDoc(dc);
    // The bitmaps still waiting go with the maker.
    m_maker.reset();
}
