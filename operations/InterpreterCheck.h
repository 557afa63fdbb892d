// The interpreter named by the installation ("GsWin32cCmdline") must exist
// before anything is handed to it; when it does not, the user hears it once.
#pragma once

#include "base/ZString.h"

// The program of a command line: its first token, quotes removed.
ZString interpreterProgram(const ZString& commandLine);

// True when the command line's program is a file (or a bare name left to the
// search path). Otherwise the first call of the run shows a message that names
// it and says that Ghostscript is missing, and the result is false.
bool reportMissingInterpreter(const ZString& commandLine);

// For tests: the next missing interpreter is reported again.
void resetInterpreterReport();
