#include "tools/vistel/Conversion.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "tools/vistel/GdiplusFrames.h"
#include "tools/vistel/ImageHeader.h"
#include "tools/vistel/ImagePages.h"
#include "tools/vistel/JpegInfo.h"
#include "tools/vistel/TextDecoding.h"
#include "tools/vistel/TextPages.h"
#include "zpdf/Document.h"

#include <exception>
#include <new>

namespace {

enum class Kind { Jpeg, Picture, Text, Unknown };

Kind kindOf(const ZString& path, ImageFormat& format)
{
    ZString ext = extensionOf(path);
    ext.toLower();
    for (const wchar_t* jpeg : {L".jpg", L".jpeg", L".jpe", L".jfif"})
        if (ext.equals(jpeg))
            return Kind::Jpeg;
    const struct {
        const wchar_t* ext;
        ImageFormat format;
    } pictures[] = {{L".png", ImageFormat::Png}, {L".bmp", ImageFormat::Bmp}, {L".dib", ImageFormat::Bmp},
                    {L".gif", ImageFormat::Gif}, {L".tif", ImageFormat::Tiff}, {L".tiff", ImageFormat::Tiff}};
    for (const auto& picture : pictures)
        if (ext.equals(picture.ext)) {
            format = picture.format;
            return Kind::Picture;
        }
    return ext.equals(L".txt") ? Kind::Text : Kind::Unknown;
}

Failure convertBytes(const ZString& path, const std::string& bytes, Kind kind, ImageFormat format,
                     zpdf::Document& document)
{
    switch (kind) {
    case Kind::Jpeg: {
        JpegInfo info;
        const Failure failure = readJpegInfo(bytes, info);
        if (failure == Failure::None)
            addJpegPage(document, bytes, info);
        return failure;
    }
    case Kind::Picture: {
        ImageHeader header;
        const Failure failure = readImageHeader(format, bytes, header);
        if (failure != Failure::None)
            return failure;
        return decodeImageFrames(path, format, header, [&](RasterImage& image) { addRasterPage(document, image); });
    }
    case Kind::Text:
        addTextPages(document, decodeText(bytes));
        return Failure::None;
    case Kind::Unknown:
        break;
    }
    return Failure::UnknownType;
}

} // namespace

Failure convertFile(const ZString& path, zpdf::Document& document)
{
    ImageFormat format = ImageFormat::Png;
    const Kind kind = kindOf(path, format);
    if (kind == Kind::Unknown)
        return Failure::UnknownType;
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return Failure::Unreadable;
    if (bytes.empty())
        return Failure::EmptyFile;
    try {
        return convertBytes(path, bytes, kind, format, document);
    } catch (const std::bad_alloc&) {
        return Failure::TooLarge; // more than this process can hold
    } catch (const std::exception&) {
        return Failure::Damaged;
    }
}
