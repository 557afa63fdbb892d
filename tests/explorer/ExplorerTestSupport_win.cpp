#include "tests/explorer/ExplorerTestSupport_win.h"

#include "explorer/ClipFormats_win.h"
#include "explorer/Medium_win.h"

#include <ole2.h>
#include <shlwapi.h>

VirtualFileSource::VirtualFileSource(std::vector<VirtualEntry> entries, bool asStreams, std::vector<ZString> hdropPaths)
    : m_entries(std::move(entries)), m_asStreams(asStreams), m_hdropPaths(std::move(hdropPaths))
{
    const ole::ClipFormats& f = ole::clipFormats();
    if (!m_hdropPaths.empty())
        offer(ole::formatEtc(f.hdrop));
    offer(ole::formatEtc(f.fileGroupDescriptor));
    offer(ole::formatEtc(f.fileContents, asStreams ? TYMED_ISTREAM : TYMED_HGLOBAL));
}

HRESULT VirtualFileSource::getOwnData(const FORMATETC& format, STGMEDIUM& medium)
{
    const ole::ClipFormats& f = ole::clipFormats();
    if (format.cfFormat == f.hdrop && !m_hdropPaths.empty()) {
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = ole::globalFromBytes(ole::buildDropFiles(m_hdropPaths, 0, 0));
        return S_OK;
    }
    if (format.cfFormat == f.fileGroupDescriptor) {
        std::vector<ole::FileDescriptor> descriptors;
        for (const VirtualEntry& e : m_entries)
            descriptors.push_back({ole::kFdAttributes | ole::kFdFileSize,
                                   e.folder ? ole::kFileAttributeDirectory : FILE_ATTRIBUTE_NORMAL,
                                   e.folder ? 0 : e.content.size(), e.name});
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = ole::globalFromBytes(ole::buildFileGroupDescriptor(descriptors));
        return S_OK;
    }
    if (format.cfFormat == f.fileContents) {
        if (format.lindex < 0 || static_cast<size_t>(format.lindex) >= m_entries.size())
            return DV_E_LINDEX;
        ++m_contentRequests;
        const std::string& content = m_entries[static_cast<size_t>(format.lindex)].content;
        if (m_asStreams) {
            if ((format.tymed & TYMED_ISTREAM) == 0)
                return DV_E_TYMED;
            medium.tymed = TYMED_ISTREAM;
            medium.pstm = SHCreateMemStream(reinterpret_cast<const BYTE*>(content.data()),
                                            static_cast<UINT>(content.size()));
            // A stream left at its end, as some mail programs hand theirs over.
            const LARGE_INTEGER end{};
            medium.pstm->Seek(end, STREAM_SEEK_END, nullptr);
            return S_OK;
        }
        if ((format.tymed & TYMED_HGLOBAL) == 0)
            return DV_E_TYMED;
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = ole::globalFromBytes(content);
        return S_OK;
    }
    return DV_E_FORMATETC;
}

std::string readStream(IStream* stream)
{
    std::string bytes;
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    char buffer[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}
