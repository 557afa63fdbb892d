// Finds the Ghostscript that Ghostscript's own installer registered on this
// machine: HKLM\SOFTWARE\GPL Ghostscript\<version> with the value GS_DLL, in
// the 64-bit and the 32-bit registry view.
#pragma once

#include "base/ZString.h"

// The console program (gswin64c.exe or gswin32c.exe) beside the GS_DLL of the
// newest registered version that has one; empty when there is none.
ZString findInstalledGhostscript();
