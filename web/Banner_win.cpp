#include "web/Banner_win.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "base/Settings.h"

#include <windows.h>

namespace {
const wchar_t* const kBannerFiles[] = {L"logo.bmp", L"logo.png", L"logo.jpg", L"banner.bmp", L"banner.png", L"banner.jpg"};
const wchar_t* const kResourceLibrary = L"Artwork.dll";
constexpr WORD kRawDataResource = 10;

ZString mimeTypeOf(const ZString& file)
{
    ZString lower = file;
    lower.toLower();
    if (lower.endsWith(L".bmp"))
        return L"image/bmp";
    if (lower.endsWith(L".jpg"))
        return L"image/jpeg";
    return L"image/png";
}

// The owner of the resource library loaded as data.
class DataLibrary {
public:
    explicit DataLibrary(const ZString& path)
        : m_module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~DataLibrary()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    DataLibrary(const DataLibrary&) = delete;
    DataLibrary& operator=(const DataLibrary&) = delete;

    bool load(const ZString& name, http::ByteBuffer& bytes) const
    {
        if (m_module == nullptr)
            return false;
        HRSRC info = FindResourceW(m_module, name.c_str(), MAKEINTRESOURCEW(kRawDataResource));
        HGLOBAL data = info != nullptr ? LoadResource(m_module, info) : nullptr;
        const void* p = data != nullptr ? LockResource(data) : nullptr;
        if (p == nullptr)
            return false;
        bytes.clear();
        bytes.append(p, SizeofResource(m_module, info));
        return true;
    }

private:
    HMODULE m_module;
};
} // namespace

ZString customBannerFile()
{
    const ZString folder = progConfig_getStr(L"InstallDir", ZString());
    if (folder.isEmpty())
        return ZString();
    for (const wchar_t* name : kBannerFiles) {
        const ZString path = joinPath(folder, name);
        if (isFile(path))
            return path;
    }
    return ZString();
}

bool loadBanner(http::ByteBuffer& bytes, ZString& mimeType)
{
    const ZString file = customBannerFile();
    if (!file.isEmpty()) {
        std::string contents;
        if (!readWholeFile(file, contents))
            return false;
        bytes.clear();
        bytes.append(contents);
        mimeType = mimeTypeOf(file);
        return true;
    }
    LangInfo lang;
    lang_getCurrent(lang);
    ZString code = lang.code;
    code.toLower();
    const DataLibrary library(joinPath(progConfig_getStr(L"InstallDir", ZString()), kResourceLibrary));
    mimeType = L"image/png";
    return library.load(ZString(L"banner_") + code + L".png", bytes) || library.load(L"banner_en.png", bytes);
}
