// Files opened by their full path (wide text) as C streams, the platform's
// way: by the UTF-16 path on Windows, by its UTF-8 form elsewhere.
#pragma once

#include "base/ZString.h"

#include <cstdint>
#include <cstdio>

namespace zpdf {

// Opens for binary reading, or for binary writing (created or truncated,
// other programs may still open it); null on failure.
std::FILE* openBinaryFile(const ZString& path, bool forWriting);

// Seeks to an absolute position; false on failure.
bool seekBinaryFile(std::FILE* file, int64_t position);

// The size of the file in bytes, -1 on failure. Leaves the position at the end.
int64_t binaryFileSize(std::FILE* file);

// Moves a file over another, replacing it in one step; false on failure.
bool replaceBinaryFile(const ZString& from, const ZString& to);
// Deletes a file; false when it could not.
bool removeBinaryFile(const ZString& path);

} // namespace zpdf
