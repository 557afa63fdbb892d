// PdfSource: one PDF file that contributes pages to jobs (a private copy the
// program made, or a blank page it wrote), opened once and kept open, with
// its document information, the copy to compose from and its page thumbnails.
#pragma once

#include "base/ZString.h"
#include "zpdf/DocumentInfo.h"

#include <memory>
#include <mutex>

namespace zpdf {
class Document;
}
class AbortControl;
class PDFPageThumbMaker;
class PDFViewerBase;

class PdfSource {
public:
    // Throws std::runtime_error "PDF file does not exist", or
    // "Error reading PDF Info:\n" followed by the library's message.
    explicit PdfSource(const ZString& path, const ZString& displayName = ZString());
    // Releases the document and deletes the file and its normalized copy
    // (at program exit when a file is still held).
    ~PdfSource();
    PdfSource(const PdfSource&) = delete;
    PdfSource& operator=(const PdfSource&) = delete;

    const ZString& path() const { return m_path; }
    const ZString& displayName() const { return m_displayName; }
    const zpdf::DocumentInfo& info() const { return m_info; }
    int pageCount() const { return m_info.pageCount; }
    // The open document. One thread at a time: the GUI thread, or an operation
    // while the GUI waits for it.
    zpdf::Document& document() { return *m_document; }

    // The file to compose from: the file itself when this program or
    // Ghostscript produced it, else a copy rewritten once by the interpreter
    // under control. The file itself when the interpreter wrote no copy (tried
    // again next time); empty when the rewrite was aborted.
    ZString normalizedPdf(AbortControl* control);

    // The page thumbnails of this file, made on first use.
    std::shared_ptr<PDFPageThumbMaker> thumbMaker();

    // The page display of this file (with its page count and display name),
    // made on first use by the maker the viewer installs; none without one.
    // It goes with this record, and with it its rendered page images.
    std::shared_ptr<PDFViewerBase> viewer();
    using ViewerMaker = std::shared_ptr<PDFViewerBase> (*)(const PdfSource& source);
    static void setViewerMaker(ViewerMaker maker);

private:
    ZString m_path;
    ZString m_displayName;
    ZString m_normalizedPath;
    zpdf::DocumentInfo m_info;
    std::unique_ptr<zpdf::Document> m_document;
    std::mutex m_makerLock;
    std::shared_ptr<PDFPageThumbMaker> m_thumbMaker;
    std::shared_ptr<PDFViewerBase> m_viewer;
};
