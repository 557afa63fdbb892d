// A read-only stream over a file that another process may still be writing
// (a page image while the interpreter renders it). Reads of bytes that are not
// there yet wait for them until the writer is declared finished, so a decoder
// can follow the file as it grows. The file need not exist yet; it is opened
// when it appears and closed when the last reference goes.
#pragma once

#include "base/ZString.h"

#include <objidl.h>
#include <windows.h>

#include <atomic>

class GrowingFileStream final : public IStream {
public:
    // How long a waiting read waits for the writer before it looks at the file again.
    static constexpr DWORD kRecheckMs = 2;

    // A new stream with one reference, owned by the caller (Release it).
    static GrowingFileStream* create(const ZString& path);
    // No more bytes will come: waiting reads end with what there is.
    void finish();
    bool finished() const;
    // Without waiting: up to size bytes that the file holds now at the position.
    ULONG readNow(void* buffer, ULONG size) { return readAvailable(static_cast<BYTE*>(buffer), size); }
    // Waits for the writer's end, at most the time given; true when it has ended.
    bool waitForFinish(DWORD milliseconds) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) override;
    // Seeking from the end and Stat wait until the writer has finished.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* to, ULARGE_INTEGER size, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER size, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override;

private:
    explicit GrowingFileStream(const ZString& path);
    ~GrowingFileStream();
    GrowingFileStream(const GrowingFileStream&) = delete;
    GrowingFileStream& operator=(const GrowingFileStream&) = delete;

    // Reads what the file holds now at the position, up to size bytes.
    ULONG readAvailable(BYTE* buffer, ULONG size);
    // The file's size once the writer has finished.
    ULONGLONG finalSize();

    ZString m_path;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    HANDLE m_finished;        // manual-reset event, set by finish()
    ULONGLONG m_position = 0; // used by one reader at a time
    std::atomic<ULONG> m_references{1};
};
