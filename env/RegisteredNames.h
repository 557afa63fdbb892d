// Names from file names: the extension is dropped when it is registered with
// the system (a key of that name exists under HKEY_CLASSES_ROOT).
#pragma once

#include "base/ZString.h"

// True when the extension (with its dot) is registered under HKEY_CLASSES_ROOT.
bool isRegisteredExtension(const ZString& extension);
// The file's name, without its extension when that is registered.
ZString jobNameForFile(const ZString& path);
