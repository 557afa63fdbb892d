// The main window's placement as the text kept in the user settings: ten
// numbers separated by ",": flags, maximized x, y, minimized x, y, normal
// rectangle bottom, left, right, top, show command.
#pragma once

#include "base/ZString.h"

#include <windows.h>

// Flags and show command unsigned, the rest signed, all decimal.
ZString placementText(const WINDOWPLACEMENT& placement);
// Exactly ten parts, each read with automatic base ("0x" hexadecimal, a
// leading "0" octal); the record's length becomes 44. False otherwise.
bool parsePlacement(const ZString& text, WINDOWPLACEMENT& placement);
