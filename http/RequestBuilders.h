// Request body builders: URL-encoded forms and multipart forms, in a chosen charset.
#pragma once

#include "base/ZString.h"
#include "http/ByteBuffer.h"

#include <map>

namespace http {

class BaseRequestBuilder {
public:
    virtual ~BaseRequestBuilder() = default;
    virtual void finish() { m_finished = true; }
    virtual void setCharset(const ZString& name) { m_charset = name; }
    virtual const ByteBuffer& body() const { return m_body; }
    virtual ZString contentType() const { return m_contentType; }
    virtual ZString charset() const { return m_charset; }
    virtual size_t bodySize() const { return m_body.length(); }

protected:
    // The text in the builder's charset (UTF-8 for names the table lacks).
    std::string encode(const ZString& text) const;
    // One byte per character: the low byte of each.
    void appendLowBytes(const ZString& text);

    ZString m_charset = L"UTF-8";
    ZString m_contentType;
    ZString m_lineEnd = L"\r\n";
    bool m_finished = false;
    ByteBuffer m_body;
};

class KeyValueRequestBuilder : public BaseRequestBuilder {
public:
    virtual void add(const ZString& name, const ZString& value) = 0;
    virtual void addAll(const std::map<ZString, ZString>& values);
};

// "name=value&..." with both sides URL-encoded.
class GetRequestBuilder : public KeyValueRequestBuilder {
public:
    GetRequestBuilder();
    void add(const ZString& name, const ZString& value) override;
};

class FormDataRequestBuilder : public KeyValueRequestBuilder {
public:
    FormDataRequestBuilder();
    void add(const ZString& name, const ZString& value) override;
    void finish() override;
    const ZString& boundary() const { return m_boundary; }

private:
    ZString m_boundary;
    ZString m_fileContentType = L"application/octet-stream";
};

} // namespace http
