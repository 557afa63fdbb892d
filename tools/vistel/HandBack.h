// Hands a finished PDF to the running program as a new job, through the
// program's own command line: its second start passes "-deleteFile -name
// <name> <pdf>" on to the running instance, which makes the job from a copy
// and deletes the PDF.
#pragma once

#include "base/ZString.h"

// The main program beside this one.
ZString mainProgramPath();

// Starts the main program with the PDF and waits until it has passed the
// command line on (or, when no instance ran, until its own window is up).
// False when it could not be started; the PDF is then still there.
bool handBackAsJob(const ZString& pdfPath, const ZString& jobName);
