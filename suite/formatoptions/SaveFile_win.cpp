// Writing the chosen format from a composed PDF. The work runs as a cancellable
// operation under the progress window; the interpreter writes into temporary
// files first, so a cancelled or failed save never leaves half a target.
#include "base/FormatOptions.h"
#include "base/Files.h"
#include "base/Lang.h"
#include "base/OperationUI.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "operations/CommandOperation.h"
#include "operations/Ghostscript.h"
#include "operations/TextExtraction.h"
#include "suite/formatoptions/Profiles.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// The interpreter's device for a page-image format.
ZString imageDevice(const ZString& format, const FormatOptionSet& options)
{
    if (format.equals(L"png"))
        return L"-sDEVICE=png16m";
    if (format.equals(L"jpg"))
        return ZString::format(L"-sDEVICE=jpeg -dJPEGQ=%d", optionNumber(options, L"jpegQuality", 85));
    return L"-sDEVICE=tiff24nc -dMaxStripSize=8192";
}

// The files of a folder, in page order of the names "page-<n>.<ext>".
std::vector<ZString> pageFiles(const ZString& folder)
{
    std::vector<ZString> files;
    listFolder(folder, &files, nullptr, kListFiles);
    auto pageOf = [](const ZString& path) { return fileNamePart(path).substring(5).toInt(); };
    std::sort(files.begin(), files.end(), [&](const ZString& a, const ZString& b) { return pageOf(a) < pageOf(b); });
    return files;
}

// "<stem>-<n><ext>", the name of page n when every page gets its own file.
ZString pageFileName(const ZString& stem, size_t n, const ZString& ext)
{
    return ZString::format(L"%ls-%d", stem.c_str(), static_cast<int>(n)) + ext;
}

// The stem for pageCount page files beside target: the target's own, or
// "<stem> (N)" with the first N for which none of the page files exists yet.
// No file of the user's is ever overwritten that way.
ZString freePageStem(const ZString& target, size_t pageCount, const ZString& ext)
{
    const ZString stem = withoutExtension(target);
    auto isFree = [&](const ZString& candidate) {
        for (size_t n = 1; n <= pageCount; ++n)
            if (pathExists(pageFileName(candidate, n, ext)))
                return false;
        return true;
    };
    if (isFree(stem))
        return stem;
    for (unsigned long n = 1;; ++n) {
        ZString candidate(stem);
        candidate.append(L" (").appendNumber(n).append(L")");
        if (isFree(candidate))
            return candidate;
    }
}

class SaveFormatOperation : public CommandOperation {
public:
    SaveFormatOperation(const ZString& format, const FormatOptionSet& options, const ZString& pdf,
                        const ZString& target)
        : m_format(format), m_options(options), m_pdf(pdf), m_target(target)
    {
    }

    void contextChanged() override
    {
        ZString message(lang_getStr(L"format-options/saving-file"));
        message.replaceAll(L"{FILE_NAME}", fileNamePart(m_target));
        context().setMessage(message);
        context().setExpectedDuration(static_cast<int32_t>(1000 + fileSizeOf(m_pdf) / 1000));
    }

    void run() override
    {
        if (m_format.equals(L"pdf"))
            savePdf();
        else if (m_format.equals(L"txt"))
            saveText();
        else
            saveImages();
    }

    bool succeeded() const { return m_succeeded; }

private:
    static long long fileSizeOf(const ZString& path)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
            return 0;
        return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    bool aborted() { return isCancelled() || abortControl().isAborted(); }

    // Moves a finished temporary file to the target.
    void deliver(const ZString& temp, const ZString& target)
    {
        if (!aborted() && isFile(temp))
            m_succeeded = copyFileRetry(temp, target, nullptr) && m_succeeded;
        else
            m_succeeded = false;
    }

    void savePdf()
    {
        if (!optionText(m_options, L"pdfMode", L"copy").equals(L"rewrite")) {
            m_succeeded = copyFileRetry(m_pdf, m_target, nullptr);
            return;
        }
        const ZString temp = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
        ZString args(L"-sDEVICE=pdfwrite -dPDFSETTINGS=");
        args.append(optionText(m_options, L"pdfSettings", L"/printer"));
        args.append(L" -dAutoRotatePages=/None");
        args.append(quote(L"-sOutputFile=" + temp, true));
        args.append(L" -f").append(quote(m_pdf, true));
        runGhostscript(args, &abortControl());
        deliver(temp, m_target);
        deleteFile(temp, true);
    }

    void saveText()
    {
        const ZString temp = makeTempFileName(kTempSubFolder, ZString(), L".txt");
        pdfToText(m_pdf, temp, &abortControl());
        deliver(temp, m_target);
        deleteFile(temp, true);
    }

    void saveImages()
    {
        const ZString folder = uniqueTempFolder(kTempSubFolder, L"pages", ZString());
        if (folder.isEmpty()) {
            m_succeeded = false;
            return;
        }
        const bool multipageTiff =
            m_format.equals(L"tif") && optionText(m_options, L"tiffMultipage", L"1").equals(L"1");
        const ZString ext = L"." + m_format;
        const ZString out = joinPath(folder, multipageTiff ? L"page-1" + ext : L"page-%d" + ext);
        ZString args(L" -dTextAlphaBits=4 -dGraphicsAlphaBits=4");
        args.appendFormat(L" -r%d", optionNumber(m_options, L"resolution", 150));
        args.append(L" ").append(imageDevice(m_format, m_options));
        args.append(quote(L"-sOutputFile=" + out, true));
        args.append(quote(m_pdf, true));
        runGhostscript(args, &abortControl());

        const std::vector<ZString> pages = pageFiles(folder);
        if (pages.empty() || aborted()) {
            m_succeeded = false;
        } else if (pages.size() == 1) {
            deliver(pages.front(), m_target);
        } else {
            // One file per page: "name-1.png", "name-2.png", ... beside the target.
            const ZString stem = freePageStem(m_target, pages.size(), ext);
            for (size_t i = 0; i < pages.size(); ++i)
                deliver(pages[i], pageFileName(stem, i + 1, ext));
        }
        deleteTree(folder);
        if (isFolder(folder))
            deleteLater(folder);
    }

    ZString m_format;
    FormatOptionSet m_options;
    ZString m_pdf;
    ZString m_target;
    bool m_succeeded = true;
};

} // namespace

bool formatOptions_saveFileUI(HWND owner, const ZString& format, const FormatOptionSet& options, const ZString& pdfPath,
                              const ZString& target)
{
    if (!isOutputFormat(format) || !isFile(pdfPath) || target.isEmpty())
        return false;
    SaveFormatOperation operation(format, options, pdfPath, target);
    const bool completed = operationUI_do(operation, owner, false);
    return completed && operation.succeeded();
}
