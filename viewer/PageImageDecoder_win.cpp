#include "viewer/PageImageDecoder.h"

#include "base/Files.h"
#include "gui/GdiplusSession.h"
#include "operations/ChildProcess.h"
#include "operations/Ghostscript.h"
#include "viewer/GrowingFileStream.h"
#include "viewer/JpegReduced.h"

#include <wincodec.h>

#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// COM for this thread for as long as it lives, when the thread had none.
class ComForThread {
public:
    ComForThread() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ~ComForThread()
    {
        if (m_started)
            CoUninitialize();
    }
    ComForThread(const ComForThread&) = delete;
    ComForThread& operator=(const ComForThread&) = delete;

private:
    bool m_started;
};

template <class T> class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer()
    {
        if (m_pointer != nullptr)
            m_pointer->Release();
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    T** out() { return &m_pointer; }
    T* operator->() const { return m_pointer; }
    T* get() const { return m_pointer; }

private:
    T* m_pointer = nullptr;
};

// The pixels, copied by the imaging component straight into the memory of a
// new bitmap of the given format (GDI+ keeps 24 and 32 bits as BGR, as the
// imaging component does).
std::unique_ptr<Gdiplus::Bitmap> toBitmap(IWICBitmapSource* source, UINT width, UINT height,
                                          Gdiplus::PixelFormat format)
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height), format);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data = {};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, format, &data) != Gdiplus::Ok)
        return nullptr;
    const UINT stride = static_cast<UINT>(data.Stride);
    const HRESULT copied = source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(data.Scan0));
    bitmap->UnlockBits(&data);
    if (FAILED(copied))
        return nullptr;
    return bitmap;
}

} // namespace

std::unique_ptr<Gdiplus::Bitmap> decodePageImage(IStream* stream)
{
    if (stream == nullptr)
        return nullptr;
    const ComForThread com;
    ComPointer<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))))
        return nullptr;
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())))
        return nullptr;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > 0x7FFFFFFFu / 4 / height ||
        FAILED(frame->GetPixelFormat(&format)))
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    if (format == GUID_WICPixelFormat24bppBGR) { // the interpreter's JPEG
        bitmap = toBitmap(frame.get(), width, height, PixelFormat24bppRGB);
    } else {
        // Anything else (the black and white TIFF) through 32 bits, which
        // every format converts to.
        ComPointer<IWICFormatConverter> converter;
        if (FAILED(factory->CreateFormatConverter(converter.out())) ||
            FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                         0.0, WICBitmapPaletteTypeCustom)))
            return nullptr;
        bitmap = toBitmap(converter.get(), width, height, PixelFormat32bppRGB);
    }
    double dpiX = 0, dpiY = 0;
    if (bitmap && SUCCEEDED(frame->GetResolution(&dpiX, &dpiY)) && dpiX > 0 && dpiY > 0)
        bitmap->SetResolution(static_cast<Gdiplus::REAL>(dpiX), static_cast<Gdiplus::REAL>(dpiY));
    return bitmap;
}

std::unique_ptr<Gdiplus::Bitmap> decodePageImageFile(const ZString& file)
{
    if (file.isEmpty() || !isFile(file))
        return nullptr;
    GrowingFileStream* stream = GrowingFileStream::create(file);
    stream->finish(); // the file is complete
    std::unique_ptr<Gdiplus::Bitmap> image = decodePageImage(stream);
    stream->Release();
    return image;
}

namespace {

// A decoder thread that follows a file while it is written; its end waits
// for the decoder and closes the file.
class FileFollower {
public:
    explicit FileFollower(const ZString& file) : m_stream(GrowingFileStream::create(file))
    {
        try {
            m_thread = std::thread([this] { m_image = decodePageImage(m_stream); });
        } catch (const std::system_error&) {
            m_stream->Release(); // no follower: the file is decoded once it is complete
            m_stream = nullptr;
        }
    }
    ~FileFollower() { finish(); }
    FileFollower(const FileFollower&) = delete;
    FileFollower& operator=(const FileFollower&) = delete;

    // The writer has ended: the decoder gets the rest. The image, or none.
    std::unique_ptr<Gdiplus::Bitmap> finish()
    {
        if (m_stream != nullptr) {
            m_stream->finish();
            m_thread.join();
            m_stream->Release();
            m_stream = nullptr;
        }
        return std::move(m_image);
    }

private:
    GrowingFileStream* m_stream;
    std::unique_ptr<Gdiplus::Bitmap> m_image;
    std::thread m_thread;
};

} // namespace

namespace {

// The reduced picture of a JPEG at a scale; none when the data does not hold it whole.
std::unique_ptr<Gdiplus::Bitmap> reducedBitmap(const std::string& bytes, int scale, int width, int height)
{
    const int reducedWidth = jpegReducedLength(width, scale), reducedHeight = jpegReducedLength(height, scale);
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(reducedWidth, reducedHeight, PixelFormat24bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const Gdiplus::Rect all(0, 0, reducedWidth, reducedHeight);
    Gdiplus::BitmapData pixels = {};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &pixels) != Gdiplus::Ok)
        return nullptr;
    const bool decoded = decodeJpegReduced(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), scale,
                                           static_cast<uint8_t*>(pixels.Scan0), pixels.Stride);
    bitmap->UnlockBits(&pixels);
    return decoded ? std::move(bitmap) : nullptr;
}

bool isScale(int scale)
{
    return scale == 2 || scale == 4 || scale == 8;
}

// A thread that reads the file while it is written and makes its reduced
// picture as soon as the file ends with a JPEG's end marker (the interpreter
// still closes the file and ends after that); its end waits for the thread.
class ReducedFollower {
public:
    ReducedFollower(const ZString& file, const std::function<int(int, int)>& scaleFor)
        : m_stream(GrowingFileStream::create(file)), m_scaleFor(scaleFor)
    {
        try {
            m_thread = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            m_stream->Release(); // no follower: the picture is made from the finished file
            m_stream = nullptr;
        }
    }
    ~ReducedFollower() { finish(); }
    ReducedFollower(const ReducedFollower&) = delete;
    ReducedFollower& operator=(const ReducedFollower&) = delete;

    // The writer has ended. The reduced picture, or none.
    ReducedPageImage finish()
    {
        if (m_stream != nullptr) {
            m_stream->finish();
            m_thread.join();
            m_stream->Release();
            m_stream = nullptr;
        }
        return std::move(m_result);
    }

private:
    void run()
    {
        std::string bytes;
        std::vector<char> chunk(65536);
        int scale = 0, width = 0, height = 0; // scale 0: not asked yet
        for (;;) {
            const bool last = m_stream->finished();
            while (const ULONG n = m_stream->readNow(chunk.data(), static_cast<ULONG>(chunk.size())))
                bytes.append(chunk.data(), n);
            const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
            if (scale == 0 && jpegReducibleSize(data, bytes.size(), width, height)) {
                scale = m_scaleFor(width, height);
                if (!isScale(scale))
                    return;
            }
            const bool ended = bytes.size() >= 2 && static_cast<uint8_t>(bytes[bytes.size() - 2]) == 0xFF &&
                               static_cast<uint8_t>(bytes.back()) == 0xD9;
            if (scale != 0 && (ended || last)) {
                // An end marker inside the file's header data is not the end:
                // the picture then lacks data, and the thread reads on.
                if (auto bitmap = reducedBitmap(bytes, scale, width, height)) {
                    m_result = {std::move(bitmap), width, height};
                    return;
                }
            }
            if (last)
                return;
            m_stream->waitForFinish(GrowingFileStream::kRecheckMs);
        }
    }

    GrowingFileStream* m_stream;
    std::function<int(int, int)> m_scaleFor;
    ReducedPageImage m_result;
    std::thread m_thread;
};

} // namespace

ReducedPageImage decodeReducedPageImage(const ZString& file, const std::function<int(int, int)>& scaleFor)
{
    ReducedPageImage result;
    std::string bytes;
    int width = 0, height = 0;
    if (file.isEmpty() || !readWholeFile(file, bytes) ||
        !jpegReducibleSize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width, height))
        return result;
    const int scale = scaleFor(width, height);
    if (!isScale(scale))
        return result;
    result.image = reducedBitmap(bytes, scale, width, height);
    if (result.image) {
        result.fullWidth = width;
        result.fullHeight = height;
    }
    return result;
}

RenderedPage renderPageImage(const ZString& pdf, int page, int resolution, bool tiff, bool decode,
                             AbortControl* control, const std::function<int(int, int)>& reducedScaleFor)
{
    RenderedPage result;
    const ZString file = newPageImageFileName(tiff);
    std::unique_ptr<Gdiplus::Bitmap> image;
    {
        // The interpreter writes the image in the last part of its run.
        std::optional<FileFollower> follower;
        std::optional<ReducedFollower> reducedFollower;
        if (decode)
            follower.emplace(file);
        if (reducedScaleFor && !tiff)
            reducedFollower.emplace(file, reducedScaleFor);
        exportPageImageTo(pdf, file, static_cast<uint32_t>(page), resolution, tiff, control);
        if (follower)
            image = follower->finish();
        if (reducedFollower)
            result.reduced = reducedFollower->finish();
    }
    if (!isFile(file)) {
        result.reduced = {};
        return result;
    }
    result.file = file;
    if (control != nullptr && control->isAborted()) {
        result.reduced = {};
        return result;
    }
    if (!decode)
        return result;
    // A file that could not be followed (a writer that started it over) is read once more as a whole.
    result.image = image ? std::move(image) : decodePageImageFile(file);
    return result;
}
