#include "http/Request.h"

#include "tests/http/HttpTestServer_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <string>

using namespace http;

namespace {
struct Exchange {
    bool sent = false;
    int status = -1;
    std::string data;
    ZString contentEncoding;
};

Exchange exchange(Request& r, const wchar_t* method = L"GET")
{
    Exchange e;
    e.sent = r.send(method);
    BufferOutput out;
    r.readResponse(out);
    e.status = r.statusCode();
    e.data = out.buffer().toString();
    e.contentEncoding = r.contentEncoding();
    return e;
}

Url serverUrl(const wchar_t* path)
{
    const ZString url = testServerUrl(path);
    EXPECT_FALSE(url.isEmpty()) << "the test server is not running";
    return Url::parse(url);
}

std::string bodyOf(const std::string& echoed)
{
    const size_t end = echoed.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : echoed.substr(end + 4);
}

// Hands out its bytes in reads of at most 700 without telling the total.
class UnknownSizeInput : public Input {
public:
    explicit UnknownSizeInput(std::string bytes) : m_bytes(std::move(bytes)) {}
    int read(char* buffer, int maximum) override
    {
        if (m_pos >= m_bytes.size())
            return -1;
        const size_t n = std::min<size_t>({m_bytes.size() - m_pos, static_cast<size_t>(maximum), 700});
        memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return static_cast<int>(n);
    }

private:
    std::string m_bytes;
    size_t m_pos = 0;
};

class Stages : public ProgressListener {
public:
    std::string log;
    void stage(int n) override { log += "s" + std::to_string(n); }
    void uploadPercent(float) override {}
    void uploadProgress(int64_t sent, int64_t total) override { log += " u" + std::to_string(sent) + "/" + std::to_string(total); }
    void downloadProgress(int64_t, int64_t) override { log += "d"; }
};
} // namespace

TEST(Request, ContentLengthZeroWithEmptyBodyAndWithoutBody)
{
    Request none(serverUrl(L"/echo"), INTERNET_FLAG_RELOAD);
    const Exchange a = exchange(none, L"POST");
    ASSERT_TRUE(a.sent) << none.errorMessage().toUtf8();
    EXPECT_EQ(a.status, 200);
    EXPECT_NE(a.data.find("\r\nContent-Length: 0\r\n"), std::string::npos) << a.data;
    EXPECT_NE(a.data.find("\r\nAccept: */*\r\n"), std::string::npos);
    EXPECT_EQ(none.remoteAddress(), L"127.0.0.1");

    Request empty(serverUrl(L"/echo"), INTERNET_FLAG_RELOAD);
    BufferInput nothing;
    empty.body = &nothing;
    const Exchange b = exchange(empty, L"POST");
    ASSERT_TRUE(b.sent);
    EXPECT_NE(b.data.find("\r\nContent-Length: 0\r\n"), std::string::npos) << b.data;
}

TEST(Request, KnownBodyIsSentWithItsLengthAndProgress)
{
    Request r(serverUrl(L"/echo?x=1#frag"), INTERNET_FLAG_RELOAD);
    std::string payload(3000, 'p');
    BufferInput body{ByteBuffer(payload)};
    Stages stages;
    r.body = &body;
    r.listener = &stages;
    r.requestContentType = L"text/plain";
    const Exchange e = exchange(r, L"PUT");
    ASSERT_TRUE(e.sent) << r.errorMessage().toUtf8();
    EXPECT_EQ(e.data.rfind("PUT /echo?x=1 HTTP/1.1\r\n", 0), 0u) << e.data;
    EXPECT_NE(e.data.find("\r\nContent-Length: 3000\r\n"), std::string::npos);
    EXPECT_NE(e.data.find("\r\nContent-Type: text/plain\r\n"), std::string::npos);
    EXPECT_EQ(bodyOf(e.data), payload);
    EXPECT_EQ(stages.log.substr(0, 4), "s1s2");
    EXPECT_NE(stages.log.find(" u1024/3000 u2048/3000 u3000/3000s3"), std::string::npos) << stages.log;
}

TEST(Request, UnknownSizeBodyIsChunkedByUs)
{
    Request r(serverUrl(L"/echo"), INTERNET_FLAG_RELOAD);
    UnknownSizeInput body(std::string(1500, 'c'));
    r.body = &body;
    const Exchange e = exchange(r, L"POST");
    ASSERT_TRUE(e.sent) << r.errorMessage().toUtf8();
    EXPECT_NE(e.data.find("\r\nTransfer-Encoding: chunked\r\n"), std::string::npos) << e.data;
    EXPECT_EQ(e.data.find("Content-Length"), std::string::npos) << e.data;
    const std::string expected = "2BC\r\n" + std::string(700, 'c') + "\r\n2BC\r\n" + std::string(700, 'c') + "\r\n64\r\n" +
                                 std::string(100, 'c') + "\r\n0\r\n\r\n";
    EXPECT_EQ(bodyOf(e.data), expected);
}

TEST(Request, ResponseEncodings)
{
    const std::string text = [] { std::string s; for (int i = 0; i < 200; ++i) s += "hello "; return s; }();
    struct Case {
        const wchar_t* path;
        bool decoded;
        const wchar_t* encodingAfter;
    };
    for (const Case& c : {Case{L"/encoded/identity", true, L""}, Case{L"/encoded/gzip", true, L""},
                          Case{L"/encoded/deflate", true, L""}, Case{L"/encoded/br", true, L"br"}}) {
        Request r(serverUrl(c.path), INTERNET_FLAG_RELOAD);
        const Exchange e = exchange(r);
        ASSERT_TRUE(e.sent);
        EXPECT_EQ(e.data, text) << ZString(c.path).toUtf8();
        EXPECT_EQ(e.contentEncoding, c.encodingAfter) << ZString(c.path).toUtf8();
    }
    Request raw(serverUrl(L"/encoded/gzip"), INTERNET_FLAG_RELOAD);
    raw.decodeContent = false;
    const Exchange e = exchange(raw);
    EXPECT_EQ(e.data.substr(0, 2), "\x1f\x8b");
    EXPECT_EQ(e.contentEncoding, L"gzip");

    Request cut(serverUrl(L"/gzip-truncated"), INTERNET_FLAG_RELOAD);
    const Exchange t = exchange(cut);
    std::string lines;
    for (int i = 0; i < 4000; ++i) {
        char line[16];
        snprintf(line, sizeof line, "%06d\n", i);
        lines += line;
    }
    EXPECT_GT(t.data.size(), 1000u);
    EXPECT_LT(t.data.size(), lines.size());
    EXPECT_EQ(lines.compare(0, t.data.size(), t.data), 0);
}

TEST(Request, RedirectsStatusAndHeaders)
{
    Request r(serverUrl(L"/redirect?to=/status/404"), INTERNET_FLAG_RELOAD);
    r.headers.set(L"X-Test", L"yes");
    const Exchange e = exchange(r);
    ASSERT_TRUE(e.sent);
    EXPECT_EQ(e.status, 404);
    EXPECT_EQ(r.redirectedUrl(), testServerUrl(L"/status/404"));
    bool found = false;
    for (const auto& [name, value] : r.rawResponseHeaders())
        found = found || (name == L"Content-Type" && value == L"text/plain");
    EXPECT_TRUE(found);
    bool sentHeader = false;
    for (const auto& [name, value] : r.rawRequestHeaders())
        sentHeader = sentHeader || (name == L"X-Test" && value == L"yes");
    EXPECT_TRUE(sentHeader);

    Request stay(serverUrl(L"/redirect?to=/echo"), INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTO_REDIRECT);
    EXPECT_EQ(exchange(stay).status, 302);
    // a second send reuses the object
    EXPECT_TRUE(stay.send(L"GET"));
    EXPECT_EQ(stay.statusCode(), 302);
}

TEST(Request, HttpsAddsTheSecureFlag)
{
    EXPECT_TRUE(Request(Url::parse(L"HTTPS://host/x"), INTERNET_FLAG_RELOAD).flags() & INTERNET_FLAG_SECURE);
    EXPECT_FALSE(Request(Url::parse(L"http://host/x"), 0).flags() & INTERNET_FLAG_SECURE);
}

TEST(Request, FailuresAreReportedNotThrownOrHung)
{
    Request empty(serverUrl(L"/echo"), 0);
    EXPECT_FALSE(empty.send(L""));
    EXPECT_EQ(empty.errorMessage(), L"Method must not be empty");

    Request refused(Url::parse(ZString::format(L"http://127.0.0.1:%d/", closedLoopbackPort())), 0);
    refused.receiveTimeout = 5000;
    refused.sendTimeout = 5000;
    EXPECT_FALSE(refused.send(L"GET"));
    EXPECT_TRUE(refused.failed());
    EXPECT_NE(refused.lastError(), 0u);
    EXPECT_TRUE(refused.errorMessage() == L"InternetConnect error" || refused.errorMessage() == L"HttpSendRequestEx error")
        << refused.errorMessage().toUtf8();
    BufferOutput out;
    EXPECT_EQ(refused.readResponse(out), 0);
    EXPECT_EQ(refused.statusCode(), -1);
}
