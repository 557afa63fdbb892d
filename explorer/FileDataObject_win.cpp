#include "explorer/FileDataObject_win.h"

#include "explorer/ClipFormats_win.h"
#include "explorer/Medium_win.h"
#include "explorer/TransferFormats.h"

#include <shlwapi.h>

namespace ole {

namespace {

FileDescriptor describe(const ZString& path, const ZString& baseFolder)
{
    FileDescriptor d;
    d.flags = kFdAttributes | kFdFileSize;
    d.name = descriptorName(path, baseFolder);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info)) {
        d.attributes = info.dwFileAttributes;
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            d.size = static_cast<uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    }
    return d;
}

} // namespace

FileDataObject::FileDataObject(std::vector<ZString> files, ZString baseFolder, bool virtualOnly)
    : m_files(std::move(files)), m_baseFolder(std::move(baseFolder)), m_populated(!m_files.empty())
{
    GetCursorPos(&m_cursor);
    const ClipFormats& f = clipFormats();
    if (!virtualOnly) {
        offer(formatEtc(f.hdrop));
        offer(formatEtc(f.fileNameMap));
    }
    offer(formatEtc(f.fileContents, TYMED_ISTREAM));
    for (CLIPFORMAT format : {f.fileGroupDescriptor, f.preferredDropEffect, f.untrustedDragDrop, f.isShowingText,
                              f.disableDragText, f.isComputingImage, f.dropDescription})
        offer(formatEtc(format));
}

void FileDataObject::ensurePopulated()
{
    if (m_populated)
        return;
    m_populated = true;
    populate();
}

HRESULT FileDataObject::answer(const FORMATETC& format, const std::string& bytes, STGMEDIUM& medium)
{
    if ((format.tymed & TYMED_HGLOBAL) == 0)
        return DV_E_TYMED;
    medium.hGlobal = globalFromBytes(bytes);
    if (medium.hGlobal == nullptr)
        return E_OUTOFMEMORY;
    medium.tymed = TYMED_HGLOBAL;
    medium.pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT FileDataObject::fileContents(const FORMATETC& format, STGMEDIUM& medium)
{
    if ((format.tymed & TYMED_ISTREAM) == 0)
        return DV_E_TYMED;
    ensurePopulated();
    if (format.lindex < 0 || static_cast<size_t>(format.lindex) >= m_files.size())
        return DV_E_LINDEX;
    IStream* stream = nullptr;
    const HRESULT hr = SHCreateStreamOnFileW(m_files[static_cast<size_t>(format.lindex)].c_str(),
                                             STGM_READ | STGM_SHARE_DENY_WRITE, &stream);
    if (FAILED(hr))
        return hr;
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = stream; // the receiver releases it
    medium.pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT FileDataObject::getOwnData(const FORMATETC& format, STGMEDIUM& medium)
{
    const ClipFormats& f = clipFormats();
    if (findOffered(format.cfFormat) == nullptr)
        return DV_E_FORMATETC;
    if (format.dwAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (format.cfFormat == f.fileContents)
        return fileContents(format, medium);
    if (format.cfFormat == f.fileGroupDescriptor) {
        ensurePopulated();
        if (m_files.empty())
            return E_UNEXPECTED;
        std::vector<FileDescriptor> descriptors;
        for (const ZString& file : m_files)
            descriptors.push_back(describe(file, m_baseFolder));
        const HRESULT hr = answer(format, buildFileGroupDescriptor(descriptors), medium);
        if (SUCCEEDED(hr))
            keep(formatEtc(f.fileGroupDescriptor), medium);
        return hr;
    }
    if (format.cfFormat == f.hdrop || format.cfFormat == f.fileNameMap) {
        ensurePopulated();
        if (m_files.empty())
            return E_UNEXPECTED;
        return answer(format,
                      format.cfFormat == f.hdrop ? buildDropFiles(m_files, m_cursor.x, m_cursor.y)
                                                 : buildPathList(m_files),
                      medium);
    }
    if (format.cfFormat == f.preferredDropEffect)
        return answer(format, buildDword(m_effect), medium);
    if (format.cfFormat == f.untrustedDragDrop)
        return answer(format, buildDword(m_untrusted), medium);
    if (format.cfFormat == f.isShowingText || format.cfFormat == f.isComputingImage)
        return answer(format, buildDword(0), medium);
    if (format.cfFormat == f.disableDragText)
        return answer(format, buildDword(1), medium);
    if (format.cfFormat == f.dropDescription)
        return answer(format, buildDropDescription(), medium);
    return DV_E_FORMATETC;
}

} // namespace ole
