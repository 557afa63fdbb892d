#include "operations/ConversionOperations.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/OperationUI.h"
#include "operations/Conversions.h"
#include "operations/Ghostscript.h"
#include "operations/TextExtraction.h"

#include <windows.h>

namespace {

// The size in bytes; -1 when the file cannot be opened.
int64_t fileSizeOf(const ZString& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    LARGE_INTEGER size = {};
    const bool ok = GetFileSizeEx(file, &size);
    CloseHandle(file);
    return ok ? size.QuadPart : -1;
}

int32_t clampedDuration(int64_t figure)
{
    return figure > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(figure);
}

} // namespace

void PdfToTextOperationImpl::run()
{
    pdfToText(m_in, m_out, &abortControl());
    if (isCancelled())
        deleteFile(m_out, false);
}

void PdfToTextOperationImpl::contextChanged()
{
    context().setMessage(lang_getStr(L"operations/extracting-text"));
    context().setExpectedDuration(clampedDuration(1000 + fileSizeOf(m_in) / 1000));
}

void PsToPdfOperationImpl::run()
{
    psToPdf(m_in, m_out, &abortControl());
    if (isCancelled() && pathExists(m_out))
        deleteFile(m_out, false);
}

void PsToPdfOperationImpl::contextChanged()
{
    context().setMessage(lang_getStr(L"operations/creating-pdf"));
    context().setExpectedDuration(clampedDuration(fileSizeOf(m_in) / 1000));
}

namespace {

bool runConversion(ImplOperation& operation, HWND owner, bool* cancelled)
{
    const bool result = operationUI_do(operation, owner, false);
    if (cancelled != nullptr)
        *cancelled = operation.isCancelled();
    return result;
}

} // namespace

bool convertPdfToText(const ZString& in, const ZString& out, HWND owner, bool* cancelled)
{
    PdfToTextOperation operation(new PdfToTextOperationImpl(in, out));
    return runConversion(operation, owner, cancelled);
}

bool convertPsToPdf(const ZString& in, const ZString& out, HWND owner, bool* cancelled)
{
    PsToPdfOperation operation(new PsToPdfOperationImpl(in, out));
    return runConversion(operation, owner, cancelled);
}
