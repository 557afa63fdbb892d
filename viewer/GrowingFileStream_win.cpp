#include "viewer/GrowingFileStream.h"

GrowingFileStream* GrowingFileStream::create(const ZString& path)
{
    return new GrowingFileStream(path);
}

GrowingFileStream::GrowingFileStream(const ZString& path)
    : m_path(path), m_finished(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

GrowingFileStream::~GrowingFileStream()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    if (m_finished != nullptr)
        CloseHandle(m_finished);
}

void GrowingFileStream::finish()
{
    if (m_finished != nullptr)
        SetEvent(m_finished);
}

bool GrowingFileStream::finished() const
{
    return m_finished == nullptr || WaitForSingleObject(m_finished, 0) == WAIT_OBJECT_0;
}

bool GrowingFileStream::waitForFinish(DWORD milliseconds) const
{
    return m_finished == nullptr || WaitForSingleObject(m_finished, milliseconds) == WAIT_OBJECT_0;
}

ULONG GrowingFileStream::readAvailable(BYTE* buffer, ULONG size)
{
    if (m_file == INVALID_HANDLE_VALUE) {
        // The writer shares everything: it may still be writing, and the
        // owner deletes the file once we are gone.
        m_file = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file == INVALID_HANDLE_VALUE)
            return 0;
    }
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(m_position);
    at.OffsetHigh = static_cast<DWORD>(m_position >> 32);
    DWORD read = 0;
    if (!ReadFile(m_file, buffer, size, &read, &at))
        return 0;
    m_position += read;
    return read;
}

HRESULT STDMETHODCALLTYPE GrowingFileStream::Read(void* buffer, ULONG size, ULONG* read)
{
    BYTE* to = static_cast<BYTE*>(buffer);
    ULONG done = 0;
    for (;;) {
        // Whatever a read after the writer's end finds is all there will be.
        const bool last = finished();
        done += readAvailable(to + done, size - done);
        if (done == size || last)
            break;
        waitForFinish(kRecheckMs);
    }
    if (read != nullptr)
        *read = done;
    return done == size ? S_OK : S_FALSE;
}

ULONGLONG GrowingFileStream::finalSize()
{
    if (m_finished != nullptr)
        WaitForSingleObject(m_finished, INFINITE);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(m_path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

HRESULT STDMETHODCALLTYPE GrowingFileStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position)
{
    LONGLONG base;
    switch (origin) {
    case STREAM_SEEK_SET:
        base = 0;
        break;
    case STREAM_SEEK_CUR:
        base = static_cast<LONGLONG>(m_position);
        break;
    case STREAM_SEEK_END:
        base = static_cast<LONGLONG>(finalSize());
        break;
    default:
        return STG_E_INVALIDFUNCTION;
    }
    if (base + move.QuadPart < 0)
        return STG_E_INVALIDFUNCTION;
    m_position = static_cast<ULONGLONG>(base + move.QuadPart);
    if (position != nullptr)
        position->QuadPart = m_position;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GrowingFileStream::Stat(STATSTG* stat, DWORD)
{
    if (stat == nullptr)
        return STG_E_INVALIDPOINTER;
    *stat = {};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = finalSize();
    stat->grfMode = STGM_READ;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GrowingFileStream::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE GrowingFileStream::AddRef()
{
    return ++m_references;
}

ULONG STDMETHODCALLTYPE GrowingFileStream::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE GrowingFileStream::Write(const void*, ULONG, ULONG*)
{
    return STG_E_ACCESSDENIED;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::SetSize(ULARGE_INTEGER)
{
    return STG_E_ACCESSDENIED;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::Commit(DWORD)
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::Revert()
{
    return S_OK;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return STG_E_INVALIDFUNCTION;
}
HRESULT STDMETHODCALLTYPE GrowingFileStream::Clone(IStream** copy)
{
    if (copy != nullptr)
        *copy = nullptr;
    return E_NOTIMPL;
}
