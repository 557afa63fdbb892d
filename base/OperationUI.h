// The operation-progress service.
#pragma once

#include "base/WindowHandle.h"

class Operation;

// Runs the operation with a modal progress window owned by owner (which may be
// none): hands it the window's context, runs it on a worker thread and cancels
// it when the user presses Cancel. True when it ran to its end without being
// cancelled. The flag is reserved; the program passes false.
bool operationUI_do(Operation& operation, HWND owner, bool flag);
