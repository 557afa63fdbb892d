// The user-facing conversions: each runs under the progress window, owned by
// owner, and returns true when it ran to its end without being cancelled.
// cancelled (when given) tells a cancel by the user from a failure: it is set
// when the user cancelled, cleared otherwise.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

bool convertPsToPdf(const ZString& in, const ZString& out, HWND owner, bool* cancelled = nullptr);
bool convertPdfToText(const ZString& in, const ZString& out, HWND owner, bool* cancelled = nullptr);
