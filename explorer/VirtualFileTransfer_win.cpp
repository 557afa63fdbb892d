#include "explorer/ClipFormats_win.h"
#include "explorer/ComPtr.h"
#include "explorer/FolderTransfer_win.h"
#include "explorer/Medium_win.h"
#include "explorer/TransferFormats.h"
#include "explorer/VirtualFileName.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "gui/Messages.h"

namespace ole {

namespace {

// Copies the stream into a new file at path (never over an existing one); at
// most limit bytes when hasLimit. A file left incomplete is deleted.
bool writeStreamToNewFile(IStream* stream, const ZString& path, bool hasLimit, uint64_t limit)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // Some sources hand over streams that were read before; start at the beginning.
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    bool ok = true;
    uint64_t written = 0;
    char buffer[65536];
    for (;;) {
        ULONG want = sizeof buffer;
        if (hasLimit && limit - written < want)
            want = static_cast<ULONG>(limit - written);
        if (want == 0)
            break;
        ULONG got = 0;
        const HRESULT hr = stream->Read(buffer, want, &got);
        if (FAILED(hr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        DWORD put = 0;
        if (!WriteFile(file, buffer, got, &put, nullptr) || put != got) {
            ok = false;
            break;
        }
        written += got;
        if (hr == S_FALSE)
            break;
    }
    CloseHandle(file);
    if (!ok)
        DeleteFileW(path.c_str());
    return ok;
}

// The contents of descriptor index as a stream; null when the source gives
// none or only a medium other than an HGLOBAL or a stream.
ComPtr<IStream> contentsStream(IDataObject* data, LONG index, Medium& medium)
{
    FORMATETC wanted = formatEtc(clipFormats().fileContents, TYMED_HGLOBAL | TYMED_ISTREAM, index);
    if (FAILED(data->GetData(&wanted, medium.put())))
        return {};
    ComPtr<IStream> stream;
    if (medium.tymed() == TYMED_ISTREAM && medium.get().pstm != nullptr)
        stream = ComPtr<IStream>::share(medium.get().pstm);
    else if (medium.tymed() == TYMED_HGLOBAL)
        CreateStreamOnHGlobal(medium.get().hGlobal, FALSE, stream.put()); // the medium keeps the memory
    return stream;
}

} // namespace

bool writeVirtualFiles(IDataObject* data, const ZString& folder, std::vector<ZString>* created)
{
    std::string bytes;
    std::vector<FileDescriptor> descriptors;
    if (!readGlobalFormat(data, clipFormats().fileGroupDescriptor, bytes) ||
        !readFileGroupDescriptor(bytes, descriptors))
        return false;
    for (size_t i = 0; i < descriptors.size(); ++i) {
        const FileDescriptor& d = descriptors[i];
        const ZString name = safeRelativePath(d.name);
        if (name.isEmpty())
            continue; // a name from outside that would leave the folder
        const ZString target = joinPath(folder, name);
        if (d.isFolder()) {
            if (!CreateDirectoryW(target.c_str(), nullptr) && !isFolder(target)) {
                showMessage(ZString::format(L"Could not create directory: %ls", d.name.c_str()), ZString(),
                            MB_OK | MB_ICONERROR);
                return false;
            }
            continue;
        }
        Medium medium;
        const ComPtr<IStream> stream = contentsStream(data, static_cast<LONG>(i), medium);
        if (!stream)
            return false;
        const ZString parent = folderPart(target);
        if (!isFolder(parent) && !createFolder(parent, true))
            return false;
        const ZString path = freeNumberedName(target);
        if (!writeStreamToNewFile(stream.get(), path, (d.flags & kFdFileSize) != 0, d.size))
            return false;
        if (created != nullptr)
            created->push_back(path);
    }
    return true;
}

} // namespace ole
