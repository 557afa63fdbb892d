#include "http/Request.h"

#include "http/InflateFilters.h"
#include "http/InternetStreams_win.h"
#include "http/RequestHeaders.h"

#include <windows.h>
#include <shlwapi.h>
#include <wininet.h>

#include <cstring>
#include <memory>
#include <vector>

namespace http {

namespace {
constexpr size_t kStreamBufferSize = 4096;
constexpr int kUploadBlock = 1024;
constexpr std::streamsize kDownloadBlock = 2048;
constexpr DWORD kErrorOperationCancelled = 12017;

void CALLBACK onInternetStatus(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID info, DWORD infoLength)
{
    if (context != 0)
        reinterpret_cast<StatucCallback*>(context)->statusCallback(handle, status, info, infoLength);
}

ZString programBaseName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    PathRemoveExtensionW(path);
    return ZString(PathFindFileNameW(path));
}

// Status texts come narrow from some notifications and wide from others.
ZString statusText(const void* info, uint32_t length)
{
    if (info == nullptr || length == 0)
        return ZString();
    const auto* bytes = static_cast<const char*>(info);
    if (length >= 2 && length % 2 == 0 && bytes[0] != 0 && bytes[1] == 0)
        return ZString(static_cast<const wchar_t*>(info), static_cast<int>(wcsnlen(static_cast<const wchar_t*>(info), length / 2)));
    ZString out;
    for (size_t i = 0; i < length && bytes[i] != 0; ++i)
        out.appendChar(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    return out;
}
} // namespace

Request::Request(const Url& url, uint32_t flags) : m_flags(flags), m_url(url)
{
    if (url.scheme.equalsIgnoreCase(ZString(L"https")))
        m_flags |= INTERNET_FLAG_SECURE;
}

Request::~Request()
{
    closeRequestAndConnection();
    if (m_internet != nullptr)
        InternetCloseHandle(m_internet);
}

void Request::closeRequestAndConnection()
{
    if (m_request != nullptr)
        InternetCloseHandle(m_request);
    m_request = nullptr;
    if (m_connection != nullptr)
        InternetCloseHandle(m_connection);
    m_connection = nullptr;
}

bool Request::fail(const wchar_t* message)
{
    m_lastError = GetLastError();
    m_failed = true;
    m_errorMessage = message;
    return false;
}

void Request::attach(void* handle)
{
    StatucCallback* self = this;
    InternetSetOptionW(handle, INTERNET_OPTION_CONTEXT_VALUE, &self, sizeof self);
    InternetSetStatusCallbackW(handle, onInternetStatus);
}

bool Request::send(const ZString& method)
{
    m_lastError = 0;
    m_failed = false;
    m_lastChunkSize = -1;
    closeRequestAndConnection();
    if (method.isEmpty())
        return fail(L"Method must not be empty");

    prepareRequestHeaders(headers, requestContentType, body, m_url);
    if (listener != nullptr)
        listener->stage(1);

    if (m_internet == nullptr) {
        ZString agent = headers.get(L"User-Agent");
        if (agent.isEmpty())
            agent = programBaseName();
        m_internet = InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        if (m_internet == nullptr)
            return fail(L"InternetOpen error");
        attach(m_internet);
        DWORD receive = receiveTimeout;
        DWORD sendLimit = sendTimeout;
        InternetSetOptionW(m_internet, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
        InternetSetOptionW(m_internet, INTERNET_OPTION_SEND_TIMEOUT, &sendLimit, sizeof sendLimit);
    }

    const INTERNET_PORT port = static_cast<INTERNET_PORT>(m_url.port < 0 ? 80 : m_url.port);
    m_connection = InternetConnectW(m_internet, m_url.host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, m_flags, 0);
    if (m_connection == nullptr)
        return fail(L"InternetConnect error");
    attach(m_connection);

    const ZString object = m_url.pathAndQuery(false);
    m_request = HttpOpenRequestW(m_connection, method.c_str(), object.c_str(), m_httpVersion.c_str(), nullptr, nullptr, m_flags, 0);
    if (m_request == nullptr)
        return fail(L"HttpOpenRequest error");
    attach(m_request);
    if (listener != nullptr)
        listener->stage(2);

    const ZString block = headers.block();
    INTERNET_BUFFERSW buffers{};
    buffers.dwStructSize = sizeof buffers;
    buffers.lpcszHeader = block.c_str();
    buffers.dwHeadersLength = static_cast<DWORD>(block.length());
    // The platform writes a Content-Length of its own from this total; it
    // must agree with ours (chunked bodies have none, see connectedToServer).
    if (body != nullptr && body->size() > 0)
        buffers.dwBufferTotal = static_cast<DWORD>(body->size());
    if (!HttpSendRequestExW(m_request, &buffers, nullptr, HSR_INITIATE, 0))
        return fail(L"HttpSendRequestEx error");

    if (body != nullptr && !upload())
        return fail(L"Error sending content");

    if (!HttpEndRequestW(m_request, nullptr, 0, 0) && GetLastError() != kErrorOperationCancelled)
        return fail(L"HttpEndRequest error");
    if (listener != nullptr)
        listener->stage(3);
    return true;
}

bool Request::upload()
{
    const bool chunked = headers.get(L"Transfer-Encoding").equalsIgnoreCase(ZString(L"chunked"));
    InternetOutputStream out(m_request, kStreamBufferSize, chunked);
    const int64_t total = body->size();
    int64_t sent = 0;
    char block[kUploadBlock];
    for (;;) {
        const int n = body->read(block, kUploadBlock);
        if (n < 0)
            break;
        if (n == 0)
            continue;
        out.write(block, n);
        out.flush();
        if (!out)
            return false;
        sent += n;
        if (listener != nullptr) {
            listener->uploadProgress(sent, total);
            listener->uploadPercent(total > 0 ? static_cast<float>(sent * 100 / total) : 0.0f);
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

int64_t Request::readResponse(Output& output)
{
    if (m_failed || m_request == nullptr)
        return 0;
    m_contentEncoding = queryHeader(HTTP_QUERY_CONTENT_ENCODING).second;
    if (m_contentEncoding.equalsIgnoreCase(ZString(L"identity")))
        m_contentEncoding = ZString();

    InternetInputStream raw(m_request, kStreamBufferSize);
    std::unique_ptr<std::istream> filter;
    if (decodeContent && m_contentEncoding == L"gzip")
        filter = std::make_unique<GzipInputFilter>(raw);
    else if (decodeContent && m_contentEncoding == L"deflate")
        filter = std::make_unique<DeflateInputFilter>(raw);
    std::istream& in = filter ? *filter : static_cast<std::istream&>(raw);

    const auto [hasLength, lengthText] = queryHeader(HTTP_QUERY_CONTENT_LENGTH);
    const int64_t contentLength = hasLength ? _wtoi64(lengthText.c_str()) : -1;
    if (contentLength >= 0 && !filter)
        output.reserve(static_cast<size_t>(contentLength));

    int64_t received = 0;
    char block[kDownloadBlock];
    while (in.good()) {
        in.read(block, kDownloadBlock);
        const std::streamsize n = in.gcount();
        if (n <= 0)
            continue;
        output.write(block, static_cast<size_t>(n));
        received += n;
        if (listener != nullptr)
            listener->downloadProgress(received, contentLength);
    }
    output.finish();
    if (filter)
        m_contentEncoding = ZString();
    return received;
}

int32_t Request::statusCode()
{
    if (m_failed)
        return -1; // no response
    const auto [found, text] = queryHeader(HTTP_QUERY_STATUS_CODE);
    return found ? text.toInt() : -1;
}

std::pair<bool, ZString> Request::queryHeader(uint32_t infoLevel)
{
    if (m_request == nullptr)
        return {false, ZString()};
    DWORD size = 0;
    HttpQueryInfoW(m_request, infoLevel, nullptr, &size, nullptr);
    if (size == 0)
        return {false, ZString()};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
    if (!HttpQueryInfoW(m_request, infoLevel, buffer.data(), &size, nullptr))
        return {false, ZString()};
    return {true, ZString(buffer.data(), static_cast<int>(size / sizeof(wchar_t)))};
}

HeaderList Request::rawResponseHeaders()
{
    return parseRawHeaders(queryHeader(HTTP_QUERY_RAW_HEADERS_CRLF).second);
}

HeaderList Request::rawRequestHeaders()
{
    return parseRawHeaders(queryHeader(HTTP_QUERY_RAW_HEADERS_CRLF | HTTP_QUERY_FLAG_REQUEST_HEADERS).second);
}

void Request::connectingToServer(void*, void* info, uint32_t infoLength)
{
    m_remoteAddress = statusText(info, infoLength);
}

void Request::connectedToServer(void*, void*, uint32_t)
{
    if (m_request != nullptr && headers.get(L"Transfer-Encoding").equalsIgnoreCase(ZString(L"chunked")))
        HttpAddRequestHeadersW(m_request, L"Content-Length:", static_cast<DWORD>(-1), HTTP_ADDREQ_FLAG_REPLACE);
}

void Request::handleCreated(void* handle, void*, uint32_t)
{
    if (handle != nullptr)
        attach(handle);
}

void Request::redirect(void*, void* info, uint32_t infoLength)
{
    try {
        m_redirectedUrl = Url::resolve(m_url, Url::parse(statusText(info, infoLength))).toString();
    } catch (const std::exception&) {
        m_redirectedUrl = statusText(info, infoLength);
    }
}

} // namespace http
