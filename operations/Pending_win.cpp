// Placeholders until the operation framework and the interpreter calls exist:
// nothing is started and every conversion reports failure.
#include "operations/ChildProcess.h"
#include "operations/Conversions.h"

#include <windows.h>

uint32_t runAndWait(const ZString&) { return ERROR_CALL_NOT_IMPLEMENTED; }

uint32_t runAndWait(const ZString&, AbortControl*) { return ERROR_CALL_NOT_IMPLEMENTED; }

bool convertPsToPdf(const ZString&, const ZString&, HWND) { return false; }

bool convertPdfToText(const ZString&, const ZString&, HWND) { return false; }
