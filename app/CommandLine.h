// The one road by which files from outside become jobs: command lines (the
// program's own, handed over by a second start or another program of the
// suite) and single files (opened, dropped, chosen in the explorer).
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

// Processes one command line. Calls made while an earlier one is still being
// processed (from a nested message loop) are queued and processed afterwards,
// in arrival order.
void handleCommandLine(const ZString& commandLine);

// Adds an existing file: PostScript is converted to PDF first, PDF goes to the
// job list, anything else is queued for the conversion tool. An empty name lets
// the job list choose one. A temporary file queued for the conversion tool is
// deleted once the tool is done with it; returns whether it was queued so.
bool addFile(const ZString& path, const ZString& jobName = ZString(), bool temporary = false);

enum class FileKind { PostScript, Pdf, Other };
// By the extension, without case: ".ps" and ".eps", ".pdf", anything else.
FileKind fileKindOf(const ZString& path);

// Lets the user choose documents and adds each as a job named after its file.
void openDocuments(HWND owner);
