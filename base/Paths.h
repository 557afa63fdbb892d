// Path text helpers: pure string work on Windows paths, no file system access.
#pragma once

#include "base/ZString.h"

// Removes every trailing slash and backslash.
ZString stripTrailingSeparators(const ZString& path);

// Joins folder and name with one backslash: trailing separators of the folder
// and leading ones of the name are dropped. An empty folder gives the name.
ZString joinPath(const ZString& folder, const ZString& name);

// The text after the last slash or backslash (trailing separators removed first).
ZString fileNamePart(const ZString& path);

// The folder part: everything before the last separator (trailing ones removed first);
// empty when there is none. A file in a drive's root gives the root ("C:\").
ZString folderPart(const ZString& path);

// The extension from the last dot of the name part, with the dot; empty when none.
ZString extensionOf(const ZString& path);

// The path without the extension of its name part.
ZString withoutExtension(const ZString& path);

// Whether name contains one of / \ : < > * ? " |
bool hasInvalidFileNameChars(const ZString& name);
