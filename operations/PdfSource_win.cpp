#include "operations/PdfSource.h"

#include "base/Files.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"
#include "operations/Ghostscript.h"
#include "operations/ThumbMaker.h"
#include "zpdf/Document.h"

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

// Each character reduced to its low byte, as the message is passed on.
std::string lowBytes(const ZString& text)
{
    std::string bytes;
    for (const wchar_t c : text.view())
        bytes.push_back(static_cast<char>(c & 0xFF));
    return bytes;
}

std::atomic<PdfSource::ViewerMaker> g_viewerMaker{nullptr};

} // namespace

PdfSource::PdfSource(const ZString& path, const ZString& displayName) : m_path(path), m_displayName(displayName)
{
    if (!pathExists(path))
        throw std::runtime_error("PDF file does not exist");
    try {
        m_document = std::make_unique<zpdf::Document>(path);
        m_document->readInfo(m_info);
    } catch (const std::exception& e) {
        m_info.error = widenBytes(e.what());
    } catch (...) {
        m_info.error = L"Unknown error.";
    }
    if (!m_info.error.isEmpty()) {
        m_document.reset();
        throw std::runtime_error("Error reading PDF Info:\n" + lowBytes(m_info.error));
    }
    m_info.fileName = path;
}

PdfSource::~PdfSource()
{
    m_thumbMaker.reset();
    m_viewer.reset();
    m_document.reset(); // closes the file before it is deleted
    deleteFile(m_path, true);
    if (!m_normalizedPath.isEmpty() && !m_normalizedPath.equals(m_path))
        deleteFile(m_normalizedPath, true);
}

ZString PdfSource::normalizedPdf(AbortControl* control)
{
    if (!m_normalizedPath.isEmpty())
        return m_normalizedPath;
    if (m_info.producer.equals(L"Tamlo Quillet") || m_info.producer.find(L"Ghostscript") >= 0) {
        m_normalizedPath = m_path;
        return m_normalizedPath;
    }
    const ZString rewritten = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    psToPdf(m_path, rewritten, control);
    // Only a finished rewrite is kept; after a failure the next compose tries again.
    if (control != nullptr && control->isAborted()) {
        deleteFile(rewritten, true);
        return ZString();
    }
    // A file the interpreter cannot rewrite is composed from as it is: its
    // ranges are extracted from the original, which is what the rewrite is
    // only meant to make smoother.
    if (!isFile(rewritten))
        return m_path;
    m_normalizedPath = rewritten;
    return m_normalizedPath;
}

std::shared_ptr<PDFPageThumbMaker> PdfSource::thumbMaker()
{
    std::lock_guard<std::mutex> guard(m_makerLock);
    if (!m_thumbMaker)
        m_thumbMaker = std::make_shared<PDFPageThumbMaker>(m_path);
    return m_thumbMaker;
}

void PdfSource::setViewerMaker(ViewerMaker maker) { g_viewerMaker = maker; }

std::shared_ptr<PDFViewerBase> PdfSource::viewer()
{
    std::lock_guard<std::mutex> guard(m_makerLock);
    const ViewerMaker maker = g_viewerMaker;
    if (!m_viewer && maker != nullptr)
        m_viewer = maker(*this);
    return m_viewer;
}
