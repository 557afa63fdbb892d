// Composing a job with our own PDF library: every page object is copied from
// its source with what it references, losslessly, and the job's rotations are
// applied on the way. The interpreter's path stays for sources the library
// cannot read and for installations that ask for it.
#pragma once

#include "base/ZString.h"

class AbortControl;
class Job;

enum class DirectCompose {
    Written,   // out holds the job's pages, rotated
    Aborted,   // the control was aborted between pages; out is not written
    Unreadable // a source could not be copied (or out not written); out is gone
};

// Whether the installation setting "ComposeWithInterpreter" (default 0) asks
// for the interpreter's path.
bool composeWithInterpreter();

// Writes the job's pages into out with our PDF library, checking control
// between pages.
DirectCompose composeDirectly(const Job& job, const ZString& out, AbortControl* control);
