#include "tools/vistel/ImagePages.h"

#include "tools/vistel/PdfParts.h"
#include "zpdf/Array.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"

using namespace zpdf;

namespace {

double pointsFor(uint32_t pixels, double dpi) { return pixels * 72.0 / (dpi > 0 ? dpi : 72.0); }

IPtr<Dict> imageDict(uint32_t width, uint32_t height, const IPtr<Name>& colorSpace)
{
    IPtr<Dict> dict(new Dict());
    dict->set(kType, kXObject);
    dict->set(kSubtype, kImage);
    dict->set(kWidth, IPtr<Object>(new Number(width, NumberKind::Integer)));
    dict->set(kHeight, IPtr<Object>(new Number(height, NumberKind::Integer)));
    dict->set(kColorSpace, colorSpace);
    dict->set(kBitsPerComponent, IPtr<Object>(new Number(8, NumberKind::Integer)));
    return dict;
}

// A page as large as the image at its resolution, showing it whole.
void addImagePage(Document& document, const IPtr<Stream>& image, uint32_t width, uint32_t height, double dpiX,
                  double dpiY, int rotate)
{
    const double w = pointsFor(width, dpiX), h = pointsFor(height, dpiY);
    IPtr<Dict> xobjects(new Dict());
    xobjects->set(pdfName("Im0"), document.newObject(image)->asReference());
    IPtr<Dict> resources(new Dict());
    resources->set(kXObject, xobjects);
    const std::string content = "q " + pdfCoordinate(w) + " 0 0 " + pdfCoordinate(h) + " 0 0 cm /Im0 Do Q\n";
    addContentPage(document, w, h, content, resources, rotate);
}

// Moves the bytes into a stream and compresses them at once, so that a
// document of many pages holds only compressed data.
IPtr<Stream> compressedStream(const IPtr<Dict>& dict, std::string& bytes)
{
    IPtr<Stream> stream = pdfStream(dict, DataBuffer(bytes.data(), static_cast<int>(bytes.size())));
    std::string().swap(bytes);
    stream->compress();
    return stream;
}

} // namespace

void addJpegPage(Document& document, const std::string& jpeg, const JpegInfo& info)
{
    static const char* const spaces[] = {"DeviceGray", "DeviceGray", "DeviceGray", "DeviceRGB", "DeviceCMYK"};
    IPtr<Dict> dict = imageDict(static_cast<uint32_t>(info.width), static_cast<uint32_t>(info.height),
                                pdfName(spaces[info.components]));
    dict->set(kFilter, kDCTDecode);
    if (info.components == 4 && info.adobe) {
        // Adobe's CMYK JPEGs hold the inks inverted.
        IPtr<Array> decode(new Array());
        for (int i = 0; i < 4; ++i) {
            decode->append(pdfNumber(1));
            decode->append(pdfNumber(0));
        }
        dict->set(pdfName("Decode"), decode);
    }
    const IPtr<Stream> image = pdfStream(dict, DataBuffer(jpeg.data(), static_cast<int>(jpeg.size())));
    // The orientation the camera recorded, as the page's turn clockwise.
    const int rotate = info.orientation == 6 ? 90 : info.orientation == 3 ? 180 : info.orientation == 8 ? 270 : 0;
    addImagePage(document, image, static_cast<uint32_t>(info.width), static_cast<uint32_t>(info.height), info.dpiX,
                 info.dpiY, rotate);
}

void addRasterPage(Document& document, RasterImage& image)
{
    IPtr<Dict> dict = imageDict(image.width, image.height, kDeviceRGB);
    if (!image.alpha.empty()) {
        IPtr<Stream> mask = compressedStream(imageDict(image.width, image.height, pdfName("DeviceGray")), image.alpha);
        dict->set(pdfName("SMask"), document.newObject(mask)->asReference());
    }
    addImagePage(document, compressedStream(dict, image.rgb), image.width, image.height, image.dpiX, image.dpiY, 0);
}
