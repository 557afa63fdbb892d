// The progress dialog of a print (dialog resource 1350): a picture, the
// progress line as its title, the bar and the cancel button. It starts the
// printing thread when it opens and closes when that thread is done.
#pragma once

#include "base/Thread.h"
#include "gui/BaseDialog.h"
#include "operations/PrintOp.h"

#include <atomic>
#include <mutex>

// What the print dialog chose.
struct PrintChoice {
    HDC dc = nullptr;
    DWORD flags = 0; // PD_PAGENUMS, PD_SELECTION or neither
    uint32_t from = 1;
    uint32_t to = 1;
};

class PrintOpDlg : public BaseDialog, public PrintProgress, private Runnable {
public:
    enum : int { kDialogId = 1350, kBarId = 1351, kCancelId = 1352, kPictureId = 1353 };

    PrintOpDlg(PrintOpClass& printer, const PrintChoice& choice);
    ~PrintOpDlg() override;

    // Shows the dialog modally for owner while the pages print; returns when
    // printing has ended (or could not start).
    void run(HWND owner);

    void setProgressLine(const ZString& text) override;
    void setProgressBar(int position) override;
    bool cancelRequested() const override { return m_cancel; }

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void run() override; // the printing thread
    void layOut();

    PrintOpClass& m_printer;
    PrintChoice m_choice;
    Thread m_thread;
    std::atomic<bool> m_cancel{false};
    std::mutex m_lineLock;
    ZString m_line;
};
