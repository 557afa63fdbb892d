// The one place where the program puts up a system message box. Tests
// install an answerer instead, so that no box ever waits for a user; the
// message functions of gui/ and the few boxes of lower layers (the copy error,
// settings that cannot be written) all come through here.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <functional>

// A box owned by owner (none: no owner) with the given caption and MB_* flags;
// returns the pressed button.
int messageBox(HWND owner, const ZString& text, const ZString& caption, unsigned flags);

// Tests replace the box: the answerer gets text, caption and flags and returns
// the button. An empty function restores real boxes.
using MessageAnswerer = std::function<int(const ZString& text, const ZString& caption, unsigned flags)>;
void setMessageAnswerer(MessageAnswerer answerer);
