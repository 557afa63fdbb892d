// The suite's about box service.
#pragma once

#include "base/WindowHandle.h"

// Shows the about box, owned by owner: the product, its version, the
// copyright line and the licences of what ships with the program.
void about_show(HWND owner);
