// The byte layouts of the clipboard and drag formats that carry files: the
// DROPFILES block of CF_HDROP, the zero-separated path lists of "FileNameMapW"
// and "FileNameW", the FILEGROUPDESCRIPTORW of virtual files, the one-DWORD
// formats and the "DropDescription" block. Texts are UTF-16 little-endian on
// every platform, so the layouts build and read the same on the host.
#pragma once

#include "base/ZString.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ole {

// DROPFILES: offset of the list, cursor point, fNC, fWide.
inline constexpr size_t kDropFilesHeaderSize = 20;
// FILEDESCRIPTORW: flags, CLSID, SIZEL, POINTL, attributes, three FILETIMEs,
// size high and low, then 260 UTF-16 units of name.
inline constexpr size_t kFileDescriptorSize = 592;
inline constexpr size_t kFileDescriptorNameOffset = 72;
inline constexpr size_t kFileDescriptorNameUnits = 260;
inline constexpr size_t kDropDescriptionSize = 1044;

// Descriptor flags and attributes as Windows defines them.
inline constexpr uint32_t kFdAttributes = 0x04;
inline constexpr uint32_t kFdFileSize = 0x40;
inline constexpr uint32_t kFileAttributeDirectory = 0x10;

// The effect bits of "Preferred DropEffect" and of drag effects.
inline constexpr uint32_t kEffectCopy = 1;
inline constexpr uint32_t kEffectMove = 2;

// The CF_HDROP block: header with the point, fNC = 1 and fWide = 1, each path
// zero-terminated, and one more zero.
std::string buildDropFiles(const std::vector<ZString>& paths, int32_t x, int32_t y);
// The paths of a CF_HDROP block (wide or 8-bit, the latter read as Latin-1);
// false when the block is too short or its list offset points outside it.
bool readDropFiles(const std::string& bytes, std::vector<ZString>& paths);

// Paths each zero-terminated and one more zero ("FileNameMapW").
std::string buildPathList(const std::vector<ZString>& paths);
// The paths of such a list; a single zero-terminated path ("FileNameW") reads
// as a list of one. Stops at the end of the bytes when a terminator is missing.
std::vector<ZString> readPathList(const std::string& bytes);

struct FileDescriptor {
    uint32_t flags = 0;
    uint32_t attributes = 0;
    uint64_t size = 0;
    ZString name;

    bool isFolder() const { return (flags & kFdAttributes) != 0 && (attributes & kFileAttributeDirectory) != 0; }
};

// The count, then one 592-byte record per descriptor. Names longer than 259
// units are cut.
std::string buildFileGroupDescriptor(const std::vector<FileDescriptor>& descriptors);
// The descriptors of such a block; false when it is shorter than its count says.
bool readFileGroupDescriptor(const std::string& bytes, std::vector<FileDescriptor>& descriptors);

// The name a file goes by in a descriptor: below baseFolder its path relative
// to it (keeping the sub-folders, no leading backslash); without a base folder,
// or outside it, the file name alone.
ZString descriptorName(const ZString& path, const ZString& baseFolder);

std::string buildDword(uint32_t value);
// The first DWORD of the bytes; false when there are fewer than four.
bool readDword(const std::string& bytes, uint32_t& value);

// A zeroed block whose first DWORD (the image type) is -1.
std::string buildDropDescription();

} // namespace ole
