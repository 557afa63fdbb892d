#include "tools/vistel/ImageHeader.h"

#include <zlib.h>

namespace {

uint32_t byteAt(const std::string& b, size_t i) { return static_cast<unsigned char>(b[i]); }
uint32_t big32(const std::string& b, size_t i)
{
    return byteAt(b, i) << 24 | byteAt(b, i + 1) << 16 | byteAt(b, i + 2) << 8 | byteAt(b, i + 3);
}
uint32_t little16(const std::string& b, size_t i) { return byteAt(b, i) | byteAt(b, i + 1) << 8; }
uint32_t little32(const std::string& b, size_t i) { return little16(b, i) | little16(b, i + 2) << 16; }

Failure readPng(const std::string& bytes, ImageHeader& header)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 8)
        return Failure::Truncated;
    if (bytes.compare(0, 8, signature) != 0)
        return Failure::Damaged;
    bool sawHeader = false;
    for (size_t at = 8;;) {
        if (at + 12 > bytes.size())
            return Failure::Truncated;
        const uint32_t length = big32(bytes, at);
        if (length > bytes.size() - at - 12)
            return Failure::Truncated;
        const std::string type = bytes.substr(at + 4, 4);
        const auto* chunk = reinterpret_cast<const Bytef*>(bytes.data() + at + 4);
        if (crc32(0, chunk, length + 4) != big32(bytes, at + 8 + length))
            return Failure::Damaged;
        const size_t data = at + 8;
        if (type == "IHDR" && length >= 8) {
            header.width = big32(bytes, data);
            header.height = big32(bytes, data + 4);
            sawHeader = true;
        } else if (type == "pHYs" && length >= 9 && byteAt(bytes, data + 8) == 1) { // pixels per metre
            header.dpiX = big32(bytes, data) * 0.0254;
            header.dpiY = big32(bytes, data + 4) * 0.0254;
        } else if (type == "IEND") {
            return sawHeader ? Failure::None : Failure::Damaged;
        } else if (!sawHeader) {
            return Failure::Damaged; // the header chunk comes first
        }
        at = data + length + 4;
    }
}

Failure readBmp(const std::string& bytes, ImageHeader& header)
{
    if (bytes.size() < 26)
        return Failure::Truncated;
    if (bytes.compare(0, 2, "BM") != 0)
        return Failure::Damaged;
    const uint32_t infoSize = little32(bytes, 14);
    if (infoSize == 12) { // the old core header: 16-bit sizes
        header.width = little16(bytes, 18);
        header.height = little16(bytes, 20);
        return Failure::None;
    }
    const auto width = static_cast<int32_t>(little32(bytes, 18));
    const auto height = static_cast<int32_t>(little32(bytes, 22)); // negative: stored top-down
    header.width = width < 0 ? 0u - static_cast<uint32_t>(width) : static_cast<uint32_t>(width);
    header.height = height < 0 ? 0u - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
    if (infoSize >= 40 && bytes.size() >= 46) {
        header.dpiX = little32(bytes, 38) * 0.0254;
        header.dpiY = little32(bytes, 42) * 0.0254;
    }
    return Failure::None;
}

Failure readGif(const std::string& bytes, ImageHeader& header)
{
    if (bytes.size() < 13)
        return Failure::Truncated;
    if (bytes.compare(0, 3, "GIF") != 0)
        return Failure::Damaged;
    header.width = little16(bytes, 6);
    header.height = little16(bytes, 8);
    return Failure::None;
}

} // namespace

Failure readImageHeader(ImageFormat format, const std::string& bytes, ImageHeader& header)
{
    header = ImageHeader();
    if (bytes.empty())
        return Failure::EmptyFile;
    Failure result = Failure::None;
    switch (format) {
    case ImageFormat::Png:
        result = readPng(bytes, header);
        break;
    case ImageFormat::Bmp:
        result = readBmp(bytes, header);
        break;
    case ImageFormat::Gif:
        result = readGif(bytes, header);
        break;
    case ImageFormat::Tiff:
        return Failure::None;
    }
    if (result != Failure::None)
        return result;
    if (header.width == 0 || header.height == 0)
        return Failure::Damaged;
    if (static_cast<uint64_t>(header.width) * header.height > kMaxImagePixels)
        return Failure::TooLarge;
    return Failure::None;
}
