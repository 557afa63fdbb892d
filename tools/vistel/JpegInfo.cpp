#include "tools/vistel/JpegInfo.h"

#include <cstdint>
#include <cstring>

namespace {

unsigned byteAt(const std::string& bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

unsigned bigEndian16(const std::string& bytes, size_t i) { return byteAt(bytes, i) << 8 | byteAt(bytes, i + 1); }

// The orientation tag of the first image directory of an Exif block (a TIFF
// structure); 1 when there is none.
int exifOrientation(const std::string& bytes, size_t start, size_t end)
{
    if (end - start < 8)
        return 1;
    const bool little = bytes.compare(start, 2, "II") == 0;
    if (!little && bytes.compare(start, 2, "MM") != 0)
        return 1;
    const auto read = [&](size_t at, int count) -> uint32_t {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const unsigned b = byteAt(bytes, at + static_cast<size_t>(little ? count - 1 - i : i));
            value = value << 8 | b;
        }
        return value;
    };
    const uint32_t directory = read(start + 4, 4);
    if (directory > end - start - 2)
        return 1;
    const size_t entries = start + directory + 2;
    const uint32_t count = read(start + directory, 2);
    for (uint32_t i = 0; i < count && entries + (i + 1) * 12 <= end; ++i) {
        const size_t entry = entries + i * 12;
        if (read(entry, 2) == 0x0112 && read(entry + 2, 2) == 3) { // Orientation, SHORT
            const uint32_t value = read(entry + 8, 2);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

} // namespace

Failure readJpegInfo(const std::string& bytes, JpegInfo& info)
{
    info = JpegInfo();
    if (bytes.empty())
        return Failure::EmptyFile;
    if (bytes.size() < 4 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8)
        return Failure::Damaged;
    bool haveFrame = false;
    size_t i = 2;
    for (;;) {
        // Markers may be preceded by any number of fill bytes 0xFF.
        while (i < bytes.size() && byteAt(bytes, i) == 0xFF && i + 1 < bytes.size() && byteAt(bytes, i + 1) == 0xFF)
            ++i;
        if (i + 2 > bytes.size())
            return Failure::Truncated;
        if (byteAt(bytes, i) != 0xFF)
            return Failure::Damaged;
        const unsigned marker = byteAt(bytes, i + 1);
        i += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length
        if (marker == 0xD9)
            return Failure::Truncated; // the image ends before its data began
        if (i + 2 > bytes.size())
            return Failure::Truncated;
        const size_t length = bigEndian16(bytes, i);
        if (length < 2)
            return Failure::Damaged;
        if (i + length > bytes.size())
            return Failure::Truncated;
        const size_t payload = i + 2;
        const size_t end = i + length;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 8) {
            info.bitsPerComponent = static_cast<int>(byteAt(bytes, payload));
            info.height = static_cast<int>(bigEndian16(bytes, payload + 1));
            info.width = static_cast<int>(bigEndian16(bytes, payload + 3));
            info.components = static_cast<int>(byteAt(bytes, payload + 5));
            haveFrame = true;
        } else if (marker == 0xE0 && length >= 16 && bytes.compare(payload, 5, std::string("JFIF\0", 5)) == 0) {
            const unsigned units = byteAt(bytes, payload + 7);
            const double x = bigEndian16(bytes, payload + 8), y = bigEndian16(bytes, payload + 10);
            if ((units == 1 || units == 2) && x > 0 && y > 0) {
                const double factor = units == 2 ? 2.54 : 1.0; // dots per centimetre
                info.dpiX = x * factor;
                info.dpiY = y * factor;
            }
        } else if (marker == 0xE1 && length >= 16 && bytes.compare(payload, 6, std::string("Exif\0\0", 6)) == 0) {
            info.orientation = exifOrientation(bytes, payload + 6, end);
        } else if (marker == 0xEE && length >= 14 && bytes.compare(payload, 5, "Adobe") == 0) {
            info.adobe = true;
        } else if (marker == 0xDA) {
            if (!haveFrame)
                return Failure::Damaged;
            // The image data runs to the end-of-image marker; inside it every
            // 0xFF is followed by 0x00 or a restart marker, so the first
            // 0xFF 0xD9 after the scan header is that marker.
            static const char eoi[] = {'\xFF', '\xD9'};
            if (bytes.find(std::string(eoi, 2), end) == std::string::npos)
                return Failure::Truncated;
            break;
        }
        i = end;
    }
    const bool supported = (info.components == 1 || info.components == 3 || info.components == 4) &&
                           info.bitsPerComponent == 8 && info.width > 0 && info.height > 0;
    return supported ? Failure::None : Failure::Damaged;
}
