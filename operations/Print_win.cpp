#include "operations/PrintOp.h"

#include "operations/PrintOpDlg.h"

#include <windows.h>

#include <commdlg.h>

namespace {

// What a print dialog hands back: the printer's device context and the
// device blocks, released when the print is over.
class PrintDialogResult {
public:
    PRINTDLGW dialog{};

    PrintDialogResult() { dialog.lStructSize = sizeof(dialog); }
    ~PrintDialogResult()
    {
        if (dialog.hDC != nullptr)
            DeleteDC(dialog.hDC);
        if (dialog.hDevMode != nullptr)
            GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames != nullptr)
            GlobalFree(dialog.hDevNames);
    }
    PrintDialogResult(const PrintDialogResult&) = delete;
    PrintDialogResult& operator=(const PrintDialogResult&) = delete;
};

} // namespace

bool print(HWND owner, PrintOpClass& printer)
{
    PrintDialogResult result;
    PRINTDLGW& dialog = result.dialog;
    const uint32_t pages = printer.pageCount();
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | (printer.hasSelection() ? PD_SELECTION : PD_NOSELECTION);
    dialog.nFromPage = 1;
    dialog.nToPage = static_cast<WORD>(pages);
    dialog.nMinPage = 1;
    dialog.nMaxPage = static_cast<WORD>(pages);
    dialog.nCopies = 1;
    if (!PrintDlgW(&dialog) || dialog.hDC == nullptr)
        return false;
    PrintChoice choice;
    choice.dc = dialog.hDC;
    choice.flags = dialog.Flags & (PD_PAGENUMS | PD_SELECTION);
    choice.from = dialog.nFromPage;
    choice.to = dialog.nToPage;
    PrintOpDlg progress(printer, choice);
    progress.run(owner);
    return true;
}
