#include "explorer/TransferFormats.h"

#include "base/Paths.h"

#include <algorithm>

namespace ole {

namespace {

void putU16(std::string& out, uint32_t unit)
{
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

void putU32(std::string& out, uint32_t value)
{
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

void setU32(std::string& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t getU16(const std::string& bytes, size_t at)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

uint32_t getU32(const std::string& bytes, size_t at) { return getU16(bytes, at) | getU16(bytes, at + 2) << 16; }

// The text as UTF-16 units (characters beyond the BMP as surrogate pairs where
// wchar_t holds them whole).
std::vector<uint32_t> utf16Units(const ZString& text)
{
    std::vector<uint32_t> units;
    for (const wchar_t c : text.view()) {
        const auto code = static_cast<uint32_t>(c);
        if (code > 0xFFFF) {
            units.push_back(0xD800 + ((code - 0x10000) >> 10));
            units.push_back(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units.push_back(code);
        }
    }
    return units;
}

void putText(std::string& out, const ZString& text)
{
    for (const uint32_t unit : utf16Units(text))
        putU16(out, unit);
    putU16(out, 0);
}

// Reads UTF-16 units from at up to a zero unit or end; at moves past the zero.
ZString getText(const std::string& bytes, size_t& at, size_t end)
{
    std::wstring text;
    while (at + 2 <= end) {
        uint32_t unit = getU16(bytes, at);
        at += 2;
        if (unit == 0)
            break;
        if constexpr (sizeof(wchar_t) > 2) {
            if (unit >= 0xD800 && unit < 0xDC00 && at + 2 <= end) {
                const uint32_t low = getU16(bytes, at);
                if (low >= 0xDC00 && low < 0xE000) {
                    at += 2;
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                }
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return ZString(text);
}

} // namespace

std::string buildDropFiles(const std::vector<ZString>& paths, int32_t x, int32_t y)
{
    std::string out;
    putU32(out, static_cast<uint32_t>(kDropFilesHeaderSize));
    putU32(out, static_cast<uint32_t>(x));
    putU32(out, static_cast<uint32_t>(y));
    putU32(out, 1); // fNC: the point is in the non-client area's coordinates
    putU32(out, 1); // fWide
    for (const ZString& path : paths)
        putText(out, path);
    putU16(out, 0);
    return out;
}

bool readDropFiles(const std::string& bytes, std::vector<ZString>& paths)
{
    if (bytes.size() < kDropFilesHeaderSize)
        return false;
    const size_t offset = getU32(bytes, 0);
    if (offset > bytes.size())
        return false;
    const bool wide = getU32(bytes, 16) != 0;
    paths.clear();
    if (wide) {
        paths = readPathList(bytes.substr(offset));
        return true;
    }
    size_t at = offset;
    while (at < bytes.size() && bytes[at] != 0) {
        std::wstring path;
        while (at < bytes.size() && bytes[at] != 0)
            path.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[at++])));
        ++at;
        paths.emplace_back(path);
    }
    return true;
}

std::string buildPathList(const std::vector<ZString>& paths)
{
    std::string out;
    for (const ZString& path : paths)
        putText(out, path);
    putU16(out, 0);
    return out;
}

std::vector<ZString> readPathList(const std::string& bytes)
{
    std::vector<ZString> paths;
    size_t at = 0;
    while (at + 2 <= bytes.size() && getU16(bytes, at) != 0)
        paths.push_back(getText(bytes, at, bytes.size()));
    return paths;
}

std::string buildFileGroupDescriptor(const std::vector<FileDescriptor>& descriptors)
{
    std::string out;
    putU32(out, static_cast<uint32_t>(descriptors.size()));
    for (const FileDescriptor& d : descriptors) {
        const size_t start = out.size();
        out.resize(start + kFileDescriptorSize, '\0');
        setU32(out, start, d.flags);
        setU32(out, start + 36, d.attributes);
        setU32(out, start + 64, static_cast<uint32_t>(d.size >> 32));
        setU32(out, start + 68, static_cast<uint32_t>(d.size & 0xFFFFFFFFu));
        std::vector<uint32_t> units = utf16Units(d.name);
        units.resize(std::min(units.size(), kFileDescriptorNameUnits - 1));
        for (size_t i = 0; i < units.size(); ++i) {
            const size_t at = start + kFileDescriptorNameOffset + 2 * i;
            out[at] = static_cast<char>(units[i] & 0xFF);
            out[at + 1] = static_cast<char>(units[i] >> 8);
        }
    }
    return out;
}

bool readFileGroupDescriptor(const std::string& bytes, std::vector<FileDescriptor>& descriptors)
{
    descriptors.clear();
    if (bytes.size() < 4)
        return false;
    const size_t count = getU32(bytes, 0);
    if (count > (bytes.size() - 4) / kFileDescriptorSize)
        return false;
    for (size_t i = 0; i < count; ++i) {
        const size_t start = 4 + i * kFileDescriptorSize;
        FileDescriptor d;
        d.flags = getU32(bytes, start);
        d.attributes = getU32(bytes, start + 36);
        d.size = static_cast<uint64_t>(getU32(bytes, start + 64)) << 32 | getU32(bytes, start + 68);
        size_t at = start + kFileDescriptorNameOffset;
        d.name = getText(bytes, at, start + kFileDescriptorSize);
        descriptors.push_back(std::move(d));
    }
    return true;
}

ZString descriptorName(const ZString& path, const ZString& baseFolder)
{
    const ZString base = stripTrailingSeparators(baseFolder);
    if (!base.isEmpty() && path.length() > base.length() + 1) {
        const wchar_t next = path.getAt(base.length());
        if ((next == L'\\' || next == L'/') && path.substring(0, base.length() - 1).equalsIgnoreCase(base)) {
            int at = base.length();
            while (at < path.length() && (path.getAt(at) == L'\\' || path.getAt(at) == L'/'))
                ++at;
            return path.substring(at);
        }
    }
    return fileNamePart(path);
}

std::string buildDword(uint32_t value)
{
    std::string out;
    putU32(out, value);
    return out;
}

bool readDword(const std::string& bytes, uint32_t& value)
{
    if (bytes.size() < 4)
        return false;
    value = getU32(bytes, 0);
    return true;
}

std::string buildDropDescription()
{
    std::string out(kDropDescriptionSize, '\0');
    setU32(out, 0, 0xFFFFFFFFu);
    return out;
}

} // namespace ole
