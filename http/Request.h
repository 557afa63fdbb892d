// One HTTP exchange over the platform's internet API: construct, fill the
// fields, send, read the response, read the results, destroy.
#pragma once

#include "base/ZString.h"
#include "http/BodyStreams.h"
#include "http/HeaderMap.h"
#include "http/HeaderParsing.h"
#include "http/ProgressListener.h"
#include "http/StatucCallback.h"
#include "http/Url.h"

#include <cstdint>
#include <utility>

namespace http {

class Request : public StatucCallback {
public:
    Request(const Url& url, uint32_t flags);
    ~Request() override;
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    bool send(const ZString& method);
    // Bytes delivered to output; 0 after a failed send.
    int64_t readResponse(Output& output);
    // -1 when the response has none.
    int32_t statusCode();
    // (found, text) of one query of the response or request headers.
    std::pair<bool, ZString> queryHeader(uint32_t infoLevel);
    HeaderList rawResponseHeaders();
    HeaderList rawRequestHeaders();

    HeaderMap headers;
    Input* body = nullptr;                // not owned
    ZString requestContentType;
    ProgressListener* listener = nullptr; // not owned
    bool decodeContent = true;
    uint32_t receiveTimeout = 30000;
    uint32_t sendTimeout = 30000;

    const Url& url() const { return m_url; }
    uint32_t flags() const { return m_flags; }
    uint32_t lastError() const { return m_lastError; }
    bool failed() const { return m_failed; }
    const ZString& errorMessage() const { return m_errorMessage; }
    const ZString& redirectedUrl() const { return m_redirectedUrl; }
    const ZString& remoteAddress() const { return m_remoteAddress; }
    const ZString& contentEncoding() const { return m_contentEncoding; }

protected:
    void connectingToServer(void* handle, void* info, uint32_t infoLength) override;
    void connectedToServer(void* handle, void* info, uint32_t infoLength) override;
    void handleCreated(void* handle, void* info, uint32_t infoLength) override;
    void redirect(void* handle, void* info, uint32_t infoLength) override;

private:
    bool fail(const wchar_t* message);
    bool upload();
    void attach(void* handle);
    void closeRequestAndConnection();

    void* m_internet = nullptr;
    void* m_connection = nullptr;
    void* m_request = nullptr;
    uint32_t m_flags;
    uint32_t m_lastError = 0;
    bool m_failed = false;
    ZString m_errorMessage;
    ZString m_httpVersion = L"HTTP/1.1";
    Url m_url;
    ZString m_redirectedUrl;
    ZString m_remoteAddress;
    ZString m_contentEncoding;
    long long m_lastChunkSize = -1;
};

} // namespace http
