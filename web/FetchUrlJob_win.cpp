#include "web/FetchUrlJob_win.h"

#include "http/Charset.h"
#include "http/HeaderParsing.h"
#include "web/Base64.h"
#include "web/ScriptObject_win.h"
#include "web/TextContentTypes.h"
#include "web/Variant_win.h"

#include <stdexcept>

FetchUrlJob::FetchUrlJob(ScriptPage* page, IDispatch* argument)
    : GuiSynchronizedOp(page->pageWindow()), m_page(page), m_argument(ComPtr<IDispatch>::share(argument))
{
    m_request.parse(argument);
}

void FetchUrlJob::run()
{
    if (!m_request.failed && m_request.prepare())
        m_request.perform(m_output);
    runSynchronizedWithGui();
}

void FetchUrlJob::runOnGui()
{
    ComPtr<IDispatch> global = m_page->scriptGlobal();
    ComPtr<IDispatch> result = buildResult(global.get());
    if (result) {
        VARIANT arg;
        arg.vt = VT_DISPATCH;
        arg.pdispVal = result.get();
        script::callMember(m_argument.get(), L"callback", {arg});
    }
    // Script objects belong to the page's thread: let go of them here, not on the worker.
    m_argument.reset();
}

ComPtr<IDispatch> FetchUrlJob::buildResult(IDispatch* global)
{
    ComPtr<IDispatch> r = script::newObject(global);
    if (!r || !m_argument)
        return r;
    const FetchUrlRequest& q = m_request;
    IDispatch* o = r.get();
    script::setBool(o, L"success", !q.failed);
    script::setString(o, L"errorMsg", q.errorMsg);
    VARIANT code;
    code.vt = VT_UI4;
    code.ulVal = q.errorCode;
    script::setMember(o, L"errorCode", code);
    script::setInt(o, L"statusCode", q.statusCode);
    script::setString(o, L"redirectedUrl", q.redirectedUrl);
    script::setString(o, L"remoteIp", q.remoteIp);

    bool returnResponseHeaders = true;
    bool returnRequestHeaders = false;
    bool responseAsBinary = false;
    ZString responseCharset = L"UTF-8";
    try {
        returnResponseHeaders = script::getBool(m_argument.get(), L"returnResponseHeaders", true);
        returnRequestHeaders = script::getBool(m_argument.get(), L"returnRequestHeaders", false);
        responseAsBinary = script::getBool(m_argument.get(), L"responseAsBinary", false);
        responseCharset = script::getString(m_argument.get(), L"responseCharset", L"UTF-8");
    } catch (const std::exception&) {
        // a member of the wrong type keeps its default
    }
    if (returnResponseHeaders)
        script::setObject(o, L"headers", script::newObject(global, q.responseHeaders).get());
    if (returnRequestHeaders)
        script::setObject(o, L"requestHeaders", script::newObject(global, q.requestHeaders).get());
    script::setInt(o, L"dataSize", static_cast<int>(m_output.size()));
    script::setInt(o, L"dataSizeReal", static_cast<int>(m_output.totalSeen()));
    script::setBool(o, L"dataIsTruncated", m_output.isTruncated());

    ZString contentType;
    for (const auto& [name, value] : q.responseHeaders) {
        if (name.equalsIgnoreCase(ZString(L"Content-Type")))
            contentType = value;
    }
    const bool isText = isTextContentType(contentType);
    const std::string_view bytes = m_output.buffer().view();
    ZString data;
    if (!isText || responseAsBinary || !q.contentEncoding.isEmpty()) {
        ZString dataEncoding;
        std::string text;
        if (q.contentEncoding.equalsIgnoreCase(ZString(L"base64"))) {
            text = std::string(bytes);
        } else {
            text = base64Encode(bytes);
            dataEncoding = q.contentEncoding;
        }
        for (const char c : text)
            data.appendChar(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        script::setString(o, L"dataEncoding", dataEncoding);
        script::setBool(o, L"dataIsBinary", true);
        script::setString(o, L"dataTransferEncoding", L"base64");
    } else {
        const http::HeaderValue parsed = http::parseHeaderValue(contentType);
        ZString charset = responseCharset;
        for (const auto& [name, value] : parsed.parameters) {
            if (name.equalsIgnoreCase(ZString(L"charset")))
                charset = value;
        }
        http::bytesToWide(bytes, http::codePageForCharset(charset, http::kCodePageUtf8), data);
        script::setString(o, L"dataEncoding", ZString());
        script::setBool(o, L"dataIsBinary", false);
        script::setString(o, L"dataTransferEncoding", ZString());
    }
    script::setString(o, L"data", data);
    return r;
}
