#include "http/BodyStreams.h"
#include "http/ChunkedStreamBuf.h"
#include "http/RequestBuilders.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace http;

TEST(RequestBuilders, UrlEncodedFormInCharset)
{
    GetRequestBuilder b;
    b.add(L"a b", L"\u00e9~x");
    b.add(L"k", L"1&2");
    EXPECT_EQ(b.body().toString(), "a%20b=%c3%a9~x&k=1%262");
    EXPECT_EQ(b.contentType(), L"application/x-www-form-urlencoded; charset=\"UTF-8\"");

    GetRequestBuilder latin;
    latin.setCharset(L"latin1");
    latin.add(L"v", L"\u00e9");
    EXPECT_EQ(latin.body().toString(), "v=%e9");
    // the content type keeps the charset of construction
    EXPECT_EQ(latin.contentType(), L"application/x-www-form-urlencoded; charset=\"UTF-8\"");
}

TEST(RequestBuilders, MultipartLayout)
{
    FormDataRequestBuilder b;
    const std::string boundary = b.boundary().toUtf8();
    ASSERT_EQ(boundary.size(), 15u + 16u);
    EXPECT_EQ(boundary.rfind("------BOUNDARY-", 0), 0u);
    EXPECT_EQ(b.contentType(), ZString(L"multipart/form-data; boundary=\"") + b.boundary() + L"\"");
    b.addAll({{L"b", L"\u00e9"}, {L"a", L"x"}});
    b.finish();
    b.finish();
    const std::string expected = "--" + boundary + "\r\nContent-Disposition: form-data; name=\"a\"\r\n"
                                 "Content-Type: text/plain; charset=UTF-8\r\n\r\nx\r\n"
                                 "--" + boundary + "\r\nContent-Disposition: form-data; name=\"b\"\r\n"
                                 "Content-Type: text/plain; charset=UTF-8\r\n\r\n\xc3\xa9\r\n"
                                 "--" + boundary + "--\r\n";
    EXPECT_EQ(b.body().toString(), expected);
    EXPECT_EQ(b.bodySize(), expected.size());
    EXPECT_NE(FormDataRequestBuilder().boundary(), b.boundary());
}

TEST(BodyStreams, BufferInputAndTruncatingOutput)
{
    BufferInput in(ByteBuffer("abcde"));
    char buf[8];
    EXPECT_EQ(in.size(), 5);
    EXPECT_EQ(in.read(buf, 0), 0);
    EXPECT_EQ(in.read(buf, 3), 3);
    EXPECT_EQ(in.read(buf, 8), 2);
    EXPECT_EQ(std::string(buf, 2), "de");
    EXPECT_EQ(in.read(buf, 8), -1);

    BufferOutput out(10);
    const std::string data(25, 'z');
    out.write(data.data(), 12);
    out.write(data.data(), 13);
    EXPECT_EQ(out.size(), 10u);
    EXPECT_EQ(out.totalSeen(), 25u);
    EXPECT_TRUE(out.isTruncated());

    BufferOutput all;
    all.write(data.data(), data.size());
    EXPECT_EQ(all.size(), 25u);
    EXPECT_FALSE(all.isTruncated());
}

namespace {
class RecordingStreamBuf : public ChunkedStreamBuf {
public:
    explicit RecordingStreamBuf(bool chunked) : ChunkedStreamBuf(4096, chunked) {}
    std::string written;
    std::vector<size_t> writes;

protected:
    bool writeRaw(const char* data, size_t length) override
    {
        written.append(data, length);
        writes.push_back(length);
        return true;
    }
    size_t readRaw(char*, size_t) override { return 0; }
};
} // namespace

TEST(ChunkedStreamBuf, FramesEachFlushAndTerminatesOnce)
{
    RecordingStreamBuf buf(true);
    std::ostream out(&buf);
    out.write(std::string(26, 'a').data(), 26);
    out.flush();
    out.write("xyz", 3);
    out.flush();
    out.flush();
    out.flush();
    EXPECT_EQ(buf.written, "1A\r\n" + std::string(26, 'a') + "\r\n3\r\nxyz\r\n0\r\n\r\n");
    EXPECT_EQ(buf.writes.size(), 3u); // one write per chunk, one for the end

    RecordingStreamBuf empty(true);
    std::ostream(&empty).flush();
    EXPECT_EQ(empty.written, "0\r\n\r\n");

    RecordingStreamBuf plain(false);
    std::ostream p(&plain);
    p << "as is";
    p.flush();
    p.flush();
    EXPECT_EQ(plain.written, "as is");
}
