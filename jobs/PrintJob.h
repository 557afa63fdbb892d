// Printing a job: it is composed first, so its order and rotations are what
// prints, and the composed file's pages go to the printer.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"
#include "operations/PDFPrinter.h"

#include <memory>
#include <vector>

class Job;

// A job composed for printing and the printer for it; the composed file is
// deleted with this object.
class JobPrint {
public:
    // Composes the job under the progress window of owner. selection lists
    // page numbers of the job (from 1), in the order they are to print; it
    // becomes the printer's selection. The job's unsaved state is kept.
    JobPrint(Job& job, const std::vector<int>& selection, HWND owner);
    ~JobPrint();
    JobPrint(const JobPrint&) = delete;
    JobPrint& operator=(const JobPrint&) = delete;

    // False when the job has no pages or composing failed.
    bool isReady() const { return m_printer != nullptr; }
    PDFPrinter& printer() { return *m_printer; }
    const ZString& composedFile() const { return m_pdf; }

private:
    ZString m_pdf;
    std::unique_ptr<PDFPrinter> m_printer;
};

// The print command of the job list and the job window: the print dialog (the
// selection offered when selection is not empty), then the progress dialog,
// both owned by the main window. selection: the job window's selected page
// numbers in selection order, or none.
bool printJob(Job& job, const std::vector<int>& selection);
// Where printJob's output goes in place of the printer's port; empty (the
// default) for the port. Tests print on a printer that writes to a file.
void setJobPrintOutputFile(const ZString& path);
