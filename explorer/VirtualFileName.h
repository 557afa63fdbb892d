// Names of virtual files as other programs describe them: a relative path that
// is to be written below a target folder. Mail attachments come from anyone,
// so a name is taken only when it cannot leave the folder or name a device.
#pragma once

#include "base/ZString.h"

namespace ole {

// The name as a relative path with backslashes, or empty when it is not safe:
// absolute, with a drive or stream colon, with a "." or ".." step or an empty
// one, with a character Windows forbids in names (control characters
// included), ending a step in a dot or a blank, or naming a device (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, with or without extension).
ZString safeRelativePath(const ZString& name);

} // namespace ole
