#include "viewer/ImageExport.h"

#include "base/Paths.h"
#include "gui/GdiplusSession.h"

#include <commdlg.h>

#include <cwctype>
#include <mutex>
#include <vector>

namespace {

std::mutex g_folderLock;
ZString g_lastFolder; // the folder of the last image saved in this process

} // namespace

ZString imageMimeTypeFor(const ZString& path)
{
    const std::wstring_view view = path.view();
    const size_t dot = view.find_last_of(L"./\\");
    if (dot == std::wstring_view::npos || view[dot] != L'.')
        return ZString();
    std::wstring extension(view.substr(dot + 1));
    for (wchar_t& c : extension)
        c = static_cast<wchar_t>(std::towlower(c));
    if (extension == L"jpg")
        return L"image/jpeg";
    if (extension == L"bmp")
        return L"image/bmp";
    if (extension == L"gif")
        return L"image/gif";
    if (extension == L"tiff")
        return L"image/tiff";
    if (extension == L"png")
        return L"image/png";
    return ZString();
}

bool findImageEncoder(const ZString& mimeType, CLSID& encoder)
{
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (codecs[i].MimeType != nullptr && mimeType.equals(codecs[i].MimeType)) {
            encoder = codecs[i].Clsid;
            return true;
        }
    return false;
}

bool saveImageByExtension(Gdiplus::Image& image, const ZString& path)
{
    const ZString mime = imageMimeTypeFor(path);
    CLSID encoder = {};
    if (mime.isEmpty() || !findImageEncoder(mime, encoder))
        return false;
    return image.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

ZString askImageFileName(HWND owner, const ZString& suggestedName)
{
    static const wchar_t kFilter[] = L"JPEG (*.jpg)\0*.jpg\0"
                                     L"Portable Network Graphic (.png)\0*.png\0"
                                     L"Bitmap (.bmp)\0*.bmp\0"
                                     L"TIFF (.tiff)\0*.tiff\0"
                                     L"Gif (.gif)\0*.gif\0";
    std::vector<wchar_t> name(4096, L'\0');
    const std::wstring_view suggested = suggestedName.view();
    suggested.copy(name.data(), std::min(suggested.size(), name.size() - 1));
    ZString folder;
    {
        std::lock_guard<std::mutex> guard(g_folderLock);
        folder = g_lastFolder;
    }
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = folder.isEmpty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = L"jpg";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&ofn))
        return ZString();
    const ZString chosen(name.data());
    {
        std::lock_guard<std::mutex> guard(g_folderLock);
        g_lastFolder = folderPart(chosen);
    }
    return chosen;
}
