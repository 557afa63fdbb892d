// The "tamlo:" URL scheme of the page: "tamlo:banner" serves the banner image.
#pragma once

#include "base/ZString.h"
#include "http/ByteBuffer.h"

#include <urlmon.h>

#include <atomic>

// {6A1C4E52-3B7D-4F0E-9C21-7D5B2E8A4F13}
inline constexpr CLSID CLSID_TamloProtocol = {0x6a1c4e52, 0x3b7d, 0x4f0e, {0x9c, 0x21, 0x7d, 0x5b, 0x2e, 0x8a, 0x4f, 0x13}};

class TamloProtocolImpl : public IInternetProtocol {
public:
    TamloProtocolImpl() = default;
    virtual ~TamloProtocolImpl() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE Start(LPCWSTR url, IInternetProtocolSink* sink, IInternetBindInfo* bindInfo, DWORD flags,
                                    HANDLE_PTR reserved) override;
    HRESULT STDMETHODCALLTYPE Continue(PROTOCOLDATA*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Abort(HRESULT, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Terminate(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Suspend() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resume() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRequest(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnlockRequest() override { return S_OK; }

    const ZString& mimeType() const { return m_mimeType; }

private:
    std::atomic<ULONG> m_refs{1};
    http::ByteBuffer m_response;
    size_t m_position = 0;
    ZString m_mimeType;
};

// Lives as long as the program (registered with the internet session).
class TamloProtocolFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    static TamloProtocolFactory& instance();
};
