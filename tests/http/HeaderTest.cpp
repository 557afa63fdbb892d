#include "http/HeaderParsing.h"
#include "http/RequestHeaders.h"

#include <gtest/gtest.h>

using namespace http;

namespace {
class UnknownSizeInput : public Input {
public:
    int read(char*, int) override { return -1; }
};
} // namespace

TEST(RequestHeaders, ComputedHeaders)
{
    HeaderMap h;
    h.set(L"accept", L"text/html");
    h.set(L"CONTENT-TYPE", L"old");
    h.set(L"Content-Encoding", L"gzip");
    h.set(L"Transfer-Encoding", L"chunked");
    prepareRequestHeaders(h, L"application/json", nullptr, Url::parse(L"http://h:8080/"));
    EXPECT_EQ(h.block(), L"Content-Length: 0\r\nContent-Type: application/json\r\nHost: h:8080\r\naccept: text/html\r\n");

    HeaderMap s;
    BufferInput body(ByteBuffer("12345"));
    prepareRequestHeaders(s, L"", &body, Url::parse(L"https://secure.example/"));
    EXPECT_EQ(s.get(L"content-length"), L"5");
    EXPECT_EQ(s.get(L"Accept"), L"*/*");
    EXPECT_EQ(s.get(L"Host"), L"secure.example:443");

    HeaderMap c;
    c.set(L"Content-Length", L"99");
    UnknownSizeInput unknown;
    prepareRequestHeaders(c, L"", &unknown, Url::parse(L"http://h/"));
    EXPECT_FALSE(c.has(L"Content-Length"));
    EXPECT_EQ(c.get(L"Transfer-Encoding"), L"chunked");
    EXPECT_EQ(c.get(L"Host"), L"h");
}

TEST(HeaderParsing, RawHeadersWithContinuationLines)
{
    const HeaderList list = parseRawHeaders(L"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nX-Long: one\r\n"
                                            L"\t two \r\n  three\r\n: no name\r\nServer:x:y\r\n\r\n");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].first, L"Content-Type");
    EXPECT_EQ(list[1].second, L"one two three");
    EXPECT_EQ(list[2].second, L"x:y");
}

TEST(HeaderParsing, Parameters)
{
    HeaderValue v = parseHeaderValue(L"text/html ; charset = \"ISO-8859-1\" junk; q='a;b'; flag ;=;, next; z=1");
    EXPECT_EQ(v.value, L"text/html");
    EXPECT_EQ(v.parameters.size(), 3u);
    EXPECT_EQ(v.parameters[L"charset"], L"ISO-8859-1");
    EXPECT_EQ(v.parameters[L"q"], L"a;b");
    EXPECT_EQ(v.parameters[L"flag"], L"");
    EXPECT_EQ(parseHeaderValue(L"a/b;x=1,c").parameters[L"x"], L"1");
}
