#include "http/RequestHeaders.h"

namespace http {

void prepareRequestHeaders(HeaderMap& headers, const ZString& requestContentType, Input* body, const Url& url)
{
    if (!requestContentType.isEmpty())
        headers.set(L"Content-Type", requestContentType);
    if (body != nullptr && body->size() < 0) {
        headers.remove(L"Content-Length");
        headers.set(L"Transfer-Encoding", L"chunked");
    } else {
        ZString length;
        length.appendNumber(static_cast<long>(body != nullptr ? body->size() : 0));
        headers.set(L"Content-Length", length);
        headers.remove(L"Transfer-Encoding");
    }
    headers.remove(L"Content-Encoding");
    if (!headers.has(L"Accept"))
        headers.set(L"Accept", L"*/*");
    if (!headers.has(L"Host")) {
        ZString host = url.host;
        if (url.port >= 0 && url.port != 80)
            host.appendChar(L':').appendNumber(url.port);
        headers.set(L"Host", host);
    }
}

} // namespace http
