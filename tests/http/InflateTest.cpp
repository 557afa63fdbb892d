#include "http/InflateFilters.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <iterator>
#include <sstream>
#include <string>

using namespace http;

namespace {
std::string compress(const std::string& data, int windowBits)
{
    z_stream zs{};
    deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, data.size()) + 16, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

std::string readAll(std::istream& in)
{
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string sample()
{
    std::string s;
    for (int i = 0; i < 5000; ++i)
        s += "line " + std::to_string(i) + "\n";
    return s;
}

// A gzip member with the optional header fields that flags selects.
std::string gzipMember(const std::string& data, int flags)
{
    std::string out = {'\x1f', '\x8b', 8, static_cast<char>(flags), 0, 0, 0, 0, 0, 3};
    if (flags & 0x04)
        out += std::string("\x05\x00" "extra", 7);
    if (flags & 0x08)
        out += std::string("name.txt\0", 9);
    if (flags & 0x10)
        out += std::string("a comment\0", 10);
    if (flags & 0x02)
        out += std::string("\x12\x34", 2);
    return out + compress(data, -15) + std::string(8, '\0');
}
} // namespace

TEST(InflateFilters, GzipWithEveryOptionalHeaderField)
{
    const std::string data = sample();
    for (int flags : {0x00, 0x04, 0x08, 0x10, 0x02, 0x1E}) {
        std::istringstream raw(gzipMember(data, flags));
        GzipInputFilter in(raw);
        EXPECT_EQ(readAll(in), data) << "flags " << flags;
    }
}

TEST(InflateFilters, BadHeadersGiveNothing)
{
    std::string reserved = gzipMember("abc", 0);
    reserved[3] = '\x20';
    std::string wrongMagic = gzipMember("abc", 0);
    wrongMagic[1] = 'x';
    for (const std::string& bytes : {reserved, wrongMagic, std::string("\x1f", 1)}) {
        std::istringstream raw(bytes);
        GzipInputFilter in(raw);
        EXPECT_EQ(readAll(in), "");
    }
}

TEST(InflateFilters, DeflateIsZlibWrapped)
{
    const std::string data = sample();
    std::istringstream raw(compress(data, 15));
    DeflateInputFilter in(raw);
    EXPECT_EQ(readAll(in), data);
}

TEST(InflateFilters, TruncatedBodyDeliversWhatWasDecoded)
{
    const std::string data = sample();
    const std::string whole = gzipMember(data, 0);
    std::istringstream raw(whole.substr(0, whole.size() / 2));
    GzipInputFilter in(raw);
    const std::string got = readAll(in);
    EXPECT_GT(got.size(), 1000u);
    EXPECT_LT(got.size(), data.size());
    EXPECT_EQ(data.compare(0, got.size(), got), 0);
}
