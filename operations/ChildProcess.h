// Running external programs as hidden child processes, and stopping them.
#pragma once

#include "base/ZString.h"

#include <cstdint>

class AbortControl;

// Runs the command line as a hidden child process and waits for its end.
// The result is the exit code, or the system error code when it could not start.
uint32_t runAndWait(const ZString& commandLine);
uint32_t runAndWait(const ZString& commandLine, AbortControl* control);
