// The user-facing conversions: each runs under the progress window, owned by
// owner, and returns true when it ran to its end without being cancelled.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

bool convertPsToPdf(const ZString& in, const ZString& out, HWND owner);
bool convertPdfToText(const ZString& in, const ZString& out, HWND owner);
