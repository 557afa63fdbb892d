// Printing: the printer object that the print dialog and the progress dialog
// drive, and the print flow itself.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <cstdint>

struct HDC__;
typedef HDC__* HDC;

// Where a printer reports while it prints: the progress line, the bar (0..100),
// and whether the user asked to cancel.
class PrintProgress {
public:
    virtual void setProgressLine(const ZString& text) = 0;
    virtual void setProgressBar(int position) = 0;
    virtual bool cancelRequested() const = 0;

protected:
    ~PrintProgress() = default;
};

// The printing interface. Page numbers count from 1.
class PrintOpClass {
public:
    virtual ~PrintOpClass() = default;
    virtual uint32_t pageCount() const { return 1; }
    virtual bool hasSelection() const { return false; }
    virtual void printAll(HDC) {}
    virtual void printRange(HDC, uint32_t /*from*/, uint32_t /*to*/) {}
    virtual void printSelection(HDC) {}
    // Waits for the work of a print that was cancelled to end.
    virtual void stop() {}

    // The progress dialog (or none) that the next print reports to.
    void setProgress(PrintProgress* progress) { m_progress = progress; }

protected:
    PrintProgress* progress() const { return m_progress; }

private:
    PrintProgress* m_progress = nullptr;
};

// The print dialog for the printer's pages, then the progress dialog while the
// chosen pages print. False when the user cancelled the print dialog or it failed.
bool print(HWND owner, PrintOpClass& printer);
