#include "http/RequestBuilders.h"

#include "base/TextUtil.h"
#include "base/UrlEncode.h"
#include "http/Charset.h"

namespace http {

std::string BaseRequestBuilder::encode(const ZString& text) const
{
    std::string bytes;
    wideToBytes(text, codePageForCharset(m_charset, kCodePageUtf8), bytes);
    return bytes;
}

void BaseRequestBuilder::appendLowBytes(const ZString& text)
{
    for (const wchar_t c : text.view())
        m_body.appendByte(static_cast<char>(c & 0xFF));
}

void KeyValueRequestBuilder::addAll(const std::map<ZString, ZString>& values)
{
    for (const auto& [name, value] : values)
        add(name, value);
}

GetRequestBuilder::GetRequestBuilder()
{
    m_contentType = ZString::format(L"application/x-www-form-urlencoded; charset=\"%ls\"", m_charset.c_str());
}

void GetRequestBuilder::add(const ZString& name, const ZString& value)
{
    if (!m_body.isEmpty())
        m_body.appendByte('&');
    m_body.append(urlEncodeBytes(encode(name)));
    m_body.appendByte('=');
    m_body.append(urlEncodeBytes(encode(value)));
}

FormDataRequestBuilder::FormDataRequestBuilder()
    : m_boundary(ZString(L"------BOUNDARY-") + randomString(16, kRandomAlphabetAlnum))
{
    m_contentType = ZString::format(L"multipart/form-data; boundary=\"%ls\"", m_boundary.c_str());
}

void FormDataRequestBuilder::add(const ZString& name, const ZString& value)
{
    appendLowBytes(ZString(L"--") + m_boundary + m_lineEnd);
    appendLowBytes(ZString(L"Content-Disposition: form-data; name=\"") + name + L"\"" + m_lineEnd);
    appendLowBytes(ZString(L"Content-Type: text/plain; charset=") + m_charset + m_lineEnd + m_lineEnd);
    m_body.append(encode(value));
    appendLowBytes(m_lineEnd);
}

void FormDataRequestBuilder::finish()
{
    if (m_finished)
        return;
    appendLowBytes(ZString(L"--") + m_boundary + L"--" + m_lineEnd);
    BaseRequestBuilder::finish();
}

} // namespace http
