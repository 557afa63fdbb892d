#include "web/FetchUrlRequest.h"

#include "base/TextUtil.h"
#include "http/Charset.h"
#include "http/Request.h"
#include "http/RequestBuilders.h"
#include "http/Url.h"
#include "web/Base64.h"
#include "web/ScriptObject_win.h"
#include "web/Variant_win.h"

#include <windows.h>
#include <wininet.h>

#include <stdexcept>

namespace {
struct FlagMember {
    const wchar_t* name;
    uint32_t flag;
};

const FlagMember kFlagMembers[] = {
    {L"reload", INTERNET_FLAG_RELOAD},
    {L"noCacheWrite", INTERNET_FLAG_NO_CACHE_WRITE},
    {L"noAuth", INTERNET_FLAG_NO_AUTH},
    {L"noCookies", INTERNET_FLAG_NO_COOKIES},
    {L"ignoreCertCnInvalid", INTERNET_FLAG_IGNORE_CERT_CN_INVALID},
    {L"ignoreCertDateInvalid", INTERNET_FLAG_IGNORE_CERT_DATE_INVALID},
};

int hexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

std::string decodeHex(const ZString& text)
{
    std::string out;
    for (int i = 0; i + 1 < text.length(); i += 2) {
        const int hi = hexValue(text.getAt(i));
        const int lo = hexValue(text.getAt(i + 1));
        if (hi < 0 || lo < 0)
            break;
        out.push_back(static_cast<char>(hi * 16 + lo));
    }
    return out;
}

std::map<ZString, ZString> headerMap(const http::HeaderList& list)
{
    std::map<ZString, ZString> out;
    for (const auto& [name, value] : list)
        out[name] = value;
    return out;
}
} // namespace

void FetchUrlRequest::failWith(const ZString& message, uint32_t code)
{
    failed = true;
    errorMsg = message;
    errorCode = code;
}

void FetchUrlRequest::parse(IDispatch* argument)
{
    try {
        {
            Variant v;
            HRESULT hr = script::getMember(argument, L"url", &v);
            if (SUCCEEDED(hr) && v.v.vt != VT_BSTR)
                hr = DISP_E_TYPEMISMATCH;
            if (FAILED(hr)) {
                failWith(ZString::format(L"Url extract error: %d", static_cast<int>(hr)), 0);
                return;
            }
            url = ZString(v.v.bstrVal, static_cast<int>(SysStringLen(v.v.bstrVal)));
        }
        method = script::getString(argument, L"method", L"GET");
        if (ComPtr<IDispatch> h = script::getDispatch(argument, L"headers")) {
            for (const ZString& name : script::memberNames(h.get()))
                headers[name] = script::getString(h.get(), name, ZString());
        }
        internetFlags = static_cast<uint32_t>(script::getInt(argument, L"internetFlags", 0));
        if (!script::getBool(argument, L"autoRedirect", false))
            internetFlags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
        for (const FlagMember& f : kFlagMembers) {
            if (script::getBool(argument, f.name, false))
                internetFlags |= f.flag;
        }
        receiveTimeout = script::getInt(argument, L"receiveTimeout", 30000);
        sendTimeout = script::getInt(argument, L"sendTimeout", 30000);
        contentType = script::getString(argument, L"dataType", ZString());
        dataTransferEncoding = script::getString(argument, L"dataTransferEncoding", ZString());
        Variant data;
        if (SUCCEEDED(script::getMember(argument, L"data", &data)) && data.v.vt != VT_EMPTY && data.v.vt != VT_NULL) {
            if (data.v.vt == VT_BSTR) {
                dataString = ZString(data.v.bstrVal, static_cast<int>(SysStringLen(data.v.bstrVal)));
            } else if (data.v.vt == VT_DISPATCH) {
                std::vector<ZString> names;
                try {
                    names = script::memberNames(data.v.pdispVal);
                } catch (const std::exception&) {
                    failWith(ZString::format(L"Data extract error: %d", static_cast<int>(E_FAIL)), 0);
                    return;
                }
                for (const ZString& name : names) {
                    Variant member;
                    HRESULT hr = script::getMember(data.v.pdispVal, name, &member);
                    if (FAILED(hr)) {
                        failWith(ZString::format(L"Data extract error: %d", static_cast<int>(hr)), 0);
                        return;
                    }
                    Variant text;
                    if (FAILED(VariantChangeType(&text.v, &member.v, 0, VT_BSTR))) {
                        failWith(ZString::format(L"Unsupported data type for member '%ls': %d", name.c_str(),
                                                 static_cast<int>(member.v.vt)), 0);
                        return;
                    }
                    dataMap[name] = ZString(text.v.bstrVal, static_cast<int>(SysStringLen(text.v.bstrVal)));
                }
            } else {
                failWith(ZString::format(L"Unsupported data type: %d", static_cast<int>(data.v.vt)), 0);
                return;
            }
        }
        responseMaxSize = script::getInt(argument, L"responseMaxSize", 10485760);
    } catch (const std::exception& e) {
        failWith(utf8Decode(e.what()), 0);
    }
}

bool FetchUrlRequest::prepare()
{
    if (prepared)
        return !failed;
    prepared = true;
    if (url.isEmpty()) {
        failWith(L"Url is empty", GetLastError());
        return false;
    }
    if (charset.isEmpty())
        charset = L"UTF-8";
    charset.toUpper();
    if (method.isEmpty())
        method = L"GET";
    method.toUpper();

    if (!dataString.isEmpty()) {
        std::string bytes;
        if (dataTransferEncoding.isEmpty()) {
            const uint32_t codePage = http::codePageForCharset(charset, http::kCodePageUtf8);
            if (codePage == http::kCodePageUtf8)
                charset = L"UTF-8";
            http::wideToBytes(dataString, codePage, bytes);
        } else if (dataTransferEncoding == L"hex") {
            bytes = decodeHex(dataString);
        } else if (dataTransferEncoding == L"base64") {
            bytes = base64Decode(dataString.toUtf8());
        } else {
            failWith(ZString::format(L"Unknown data transfer encoding: %ls", dataTransferEncoding.c_str()), 0);
            return false;
        }
        body = std::make_unique<http::BufferInput>(http::ByteBuffer(bytes));
    } else if (!dataMap.empty()) {
        if (method == L"GET" && contentType.isEmpty()) {
            if (!queryMerged) {
                http::GetRequestBuilder builder;
                builder.setCharset(charset);
                builder.addAll(dataMap);
                ZString text;
                for (const char c : builder.body().view())
                    text.appendChar(static_cast<wchar_t>(static_cast<unsigned char>(c)));
                while (text.startsWith(L'&') || text.startsWith(L'?'))
                    text = text.substring(1);
                try {
                    http::Url u = http::Url::parse(url);
                    if (u.query.isEmpty())
                        u.query = text;
                    else if (u.query.endsWith(L'?') || u.query.endsWith(L'&'))
                        u.query.append(text);
                    else
                        u.query.appendChar(L'&').append(text);
                    url = u.toString();
                } catch (const std::exception& e) {
                    failWith(utf8Decode(e.what()), 0);
                    return false;
                }
                queryMerged = true;
            }
        } else {
            std::unique_ptr<http::KeyValueRequestBuilder> builder;
            if (contentType == L"form" || contentType.startsWith(L"multipart/form-data"))
                builder = std::make_unique<http::FormDataRequestBuilder>();
            else
                builder = std::make_unique<http::GetRequestBuilder>();
            builder->setCharset(charset);
            builder->addAll(dataMap);
            builder->finish();
            body = std::make_unique<http::BufferInput>(builder->body());
            contentType = builder->contentType();
        }
    }
    return true;
}

bool FetchUrlRequest::perform(http::BufferOutput& output)
{
    try {
        http::Request request(http::Url::parse(url), internetFlags);
        for (const auto& [name, value] : headers)
            request.headers.set(name, value);
        request.body = body.get();
        request.listener = listener;
        request.requestContentType = contentType;
        request.decodeContent = decodeContent;
        request.receiveTimeout = static_cast<uint32_t>(receiveTimeout);
        request.sendTimeout = static_cast<uint32_t>(sendTimeout);
        if (!request.send(method)) {
            failWith(request.errorMessage(), request.lastError());
            return false;
        }
        output.setMaximum(responseMaxSize);
        request.readResponse(output);
        statusCode = request.statusCode();
        redirectedUrl = request.redirectedUrl();
        contentEncoding = request.contentEncoding();
        remoteIp = request.remoteAddress();
        requestHeaders = headerMap(request.rawRequestHeaders());
        responseHeaders = headerMap(request.rawResponseHeaders());
        return true;
    } catch (const std::exception& e) {
        failWith(utf8Decode(e.what()), GetLastError());
        return false;
    }
}
