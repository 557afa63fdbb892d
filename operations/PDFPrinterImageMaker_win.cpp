#include "operations/PDFPrinter.h"

#include "base/Files.h"
#include "operations/Ghostscript.h"

#include <windows.h>

PDFPrinter::ImageMaker::ImageMaker(std::vector<PrintPageEntry> entries, int resolution)
    : m_entries(std::move(entries)), m_resolution(resolution)
{
}

PDFPrinter::ImageMaker::~ImageMaker()
{
    requestStop();
    join();
    discardWaiting();
}

void PDFPrinter::ImageMaker::run()
{
    for (const PrintPageEntry& entry : m_entries) {
        while (!m_stop && !render(entry))
            Sleep(100);
        if (m_stop)
            return;
    }
}

// False while the queue is full; true once the page was rendered or skipped.
bool PDFPrinter::ImageMaker::render(const PrintPageEntry& entry)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_queue.size() >= kMaxWaiting)
            return false;
    }
    const ZString bitmap = makeTempFileName(kTempSubFolder, ZString(), L".bmp");
    deleteLater(bitmap);
    renderPagesBmp(entry.path, bitmap, entry.page, entry.page, m_resolution, &m_abort);
    if (m_stop) {
        // An aborted render may have left part of a file.
        deleteFile(bitmap, true);
        return true;
    }
    if (isFile(bitmap)) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_queue.push_back(bitmap);
    }
    return true;
}

bool PDFPrinter::ImageMaker::takeNext(ZString& bitmap)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_queue.empty())
        return false;
    bitmap = m_queue.front();
    m_queue.pop_front();
    return true;
}

void PDFPrinter::ImageMaker::requestStop()
{
    m_stop = true;
    m_abort.abort();
}

void PDFPrinter::ImageMaker::discardWaiting()
{
    std::deque<ZString> waiting;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        waiting.swap(m_queue);
    }
    for (const ZString& bitmap : waiting)
        deleteFile(bitmap, true);
}
