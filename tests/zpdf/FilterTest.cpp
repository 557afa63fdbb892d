#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Filters.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <zlib.h>

using namespace zpdf;

namespace {

IPtr<Stream> makeStream(const std::string& dict, const std::string& data)
{
    return IPtr<Stream>(new Stream(parseObject(dict)->toDict(), IPtr<StreamData>(new StreamData(bufferOf(data)))));
}

std::string bytesOf(const Stream& stream) { return toString(stream.data()->bytes()); }

int lengthOf(const Stream& stream) { return stream.dict()->getNumber(kLength)->intValue(); }

// The message of the exception E that removing the filter throws.
template <typename E>
std::string refusal(const std::string& dict, const std::string& data)
{
    const IPtr<Stream> s = makeStream(dict, data);
    return messageOf<E>([&] { s->removeFilter(); });
}

} // namespace

TEST(StreamFilters, CompressAndDecodeRoundTrip)
{
    const std::string text(5000, 'x');
    const IPtr<Stream> s = makeStream("<< /Length 5000 >>", text);
    s->compress();
    EXPECT_EQ(serialise(*s->dict()->get(kFilter)), "/FlateDecode");
    EXPECT_EQ(lengthOf(*s), s->data()->bytes().length());
    EXPECT_LT(lengthOf(*s), 100);
    const std::string compressed = bytesOf(*s);
    s->compress();
    EXPECT_EQ(bytesOf(*s), compressed) << "a stream that has a filter is left alone";
    s->removeFilter();
    EXPECT_EQ(bytesOf(*s), text);
    EXPECT_EQ(lengthOf(*s), 5000);

    const IPtr<Stream> empty(new Stream());
    EXPECT_EQ(lengthOf(*empty), 0);
    empty->compress();
    EXPECT_EQ(lengthOf(*empty), empty->data()->bytes().length());
    empty->removeFilter();
    EXPECT_EQ(bytesOf(*empty), "") << "an empty stream compresses into a valid zlib stream";

    const IPtr<Stream> ascii = makeStream("<< /Filter /ASCIIHexDecode >>", "41");
    ascii->compress();
    EXPECT_EQ(serialise(*ascii), "<<\r\n/Filter /ASCIIHexDecode\r\n>>\r\nstream\r\n41\r\nendstream");

    const IPtr<Stream> plain = makeStream("<< /Length 99 >>", "plain");
    plain->removeFilter();
    EXPECT_EQ(bytesOf(*plain) + " " + std::to_string(lengthOf(*plain)), "plain 99") << "without a filter, nothing changes";
}

TEST(StreamFilters, DecodersPredictorsAndChains)
{
    // Five-byte rows as cross-reference streams have them, predicted Up.
    const std::string upRows("\x02\x01\x00\x10\x00\x00\x02\x00\x00\x05\x00\x00", 12);
    // Sub, Average, Paeth, a row of an unknown type (no output) and a short
    // last row predicted Up from the last decoded one.
    const std::string mixedRows("\x01\x0a\x05\x05\x03\x04\x04\x04\x04\x01\x01\x01\x07\x09\x09\x09\x02\x01\x01", 19);
    std::string hexOfDeflated;
    for (unsigned char c : deflated("chained")) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", c);
        hexOfDeflated += pair;
    }
    struct Case {
        std::string dict;
        std::string data;
        std::string decoded;
    };
    const Case cases[] = {
        {"<< /Filter [/FlateDecode] /DecodeParms [<< /Predictor 12 /Columns 5 >>] >>", deflated(upRows),
         std::string("\x01\x00\x10\x00\x00\x01\x00\x15\x00\x00", 10)},
        {"<< /Filter /FlateDecode /DecodeParms << /Predictor 15 /Columns 3 >> >>", deflated(mixedRows),
         std::string("\x0a\x0f\x14\x09\x10\x16\x0a\x11\x17\x0b\x12", 11)},
        // Two colours of 8 bits: Sub reaches back one pixel of two bytes.
        {"<< /Filter /FlateDecode /DecodeParms << /Predictor 11 /Columns 2 /Colors 2 /BitsPerComponent 8 >> >>",
         deflated(std::string("\x01\x01\x02\x03\x04", 5)), std::string("\x01\x02\x04\x06", 4)},
        // Below eight bits a pixel still counts as a whole byte of the row.
        {"<< /Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 4 /BitsPerComponent 4 >> >>",
         deflated(std::string("\x00" "abcd\x02\x01\x01\x01\x01", 10)), "abcdbcde"},
        {"<< /Filter /FlateDecode /DecodeParms << /Predictor 1 >> >>", deflated("abc"), "abc"},
        // Hex pairs are taken as they come: white space and ">" are not skipped;
        // a last single digit gets 0 as its low digit.
        {"<< /Filter /ASCIIHexDecode >>", "4142", "AB"},
        {"<< /Filter /ASCIIHexDecode >>", "41 42>", std::string("A\x00\x02", 3)},
        {"<< /Filter /ASCIIHexDecode >>", "414", "A@"},
        {"<< /Filter /ASCII85Decode >>", "87cURD_*#TD\nfTZ)+T~>", "Hello, world!"},
        {"<< /Filter /ASCII85Decode >>", "z@:E^~>", std::string("\0\0\0\0abc", 7)},
        {"<< /Filter /RunLengthDecode >>", std::string("\x02" "abc\xfe" "x\x80" "zz", 9), "abcxxx"}, // 128 ends
        // Filters apply in order; parameters missing at the end of a shorter
        // DecodeParms array count as none.
        {"<< /Filter [/ASCIIHexDecode /FlateDecode] /DecodeParms [null] /Length 1 >>", hexOfDeflated, "chained"},
    };
    for (const Case& c : cases) {
        const IPtr<Stream> s = makeStream(c.dict, c.data);
        s->removeFilter();
        EXPECT_EQ(bytesOf(*s), c.decoded) << c.dict;
        EXPECT_EQ(serialise(*s->dict()), "<<\r\n/Length " + std::to_string(c.decoded.size()) + "\r\n>>") << c.dict;
    }
}

TEST(StreamFilters, RefusedFiltersAndParameters)
{
    const IPtr<Stream> dct = makeStream("<< /Filter /DCTDecode /Length 4 >>", "\xff\xd8\xff\xe0");
    EXPECT_EQ(messageOf<UnsupportedException>([&] { dct->removeFilter(); }),
              "Stream::decode: Passender Decoder nicht vorhanden");
    EXPECT_EQ(serialise(*dct), "<<\r\n/Filter /DCTDecode\r\n/Length 4\r\n>>\r\nstream\r\n\xff\xd8\xff\xe0\r\nendstream")
        << "a refused stream stays as it was";
    for (const char* predictor : {"2", "0", "9"}) {
        EXPECT_EQ(refusal<UnsupportedException>(
                      std::string("<< /Filter /FlateDecode /DecodeParms << /Predictor ") + predictor + " >> >>",
                      deflated("abc")),
                  "Predictor less than 10 not supported")
            << predictor;
    }

    const std::pair<std::string, std::string> cases[] = {
        {"<< /Filter /FlateDecode /DecodeParms [<< /Predictor 12 >>] >>", "DecodeParms must be a dictionary"},
        {"<< /Filter [/FlateDecode] /DecodeParms << /Predictor 12 >> >>", "DecodeParms must be an array"},
        {"<< /Filter 5 >>", "removeFilter() - Filter value not valid"},
        {"<< /Filter 5 0 R >>", "removeFilter() - Filter value not valid"},
        {"<< /Filter (FlateDecode) >>", "removeFilter() - Filter value not valid"},
    };
    for (const auto& [dict, message] : cases)
        EXPECT_EQ(refusal<PdfException>(dict, deflated("abc")), message) << dict;
    EXPECT_EQ(refusal<PdfException>("<< /Filter /FlateDecode >>", "not zlib at all"), "ZLib decompression error");
    EXPECT_NE(refusal<PdfException>("<< /Filter /ASCII85Decode >>", "87c{UR~>"), "");
}

TEST(StreamFilters, InflatingStopsAtTheLimitWithAnError)
{
    // A small stream of zeros that would inflate beyond the limit, deflated
    // block by block so that the test never holds the inflated size itself.
    z_stream zs{};
    ASSERT_EQ(deflateInit(&zs, Z_BEST_COMPRESSION), Z_OK);
    const std::string zeros(1 << 16, '\0');
    std::string packed;
    unsigned char out[1 << 16];
    const size_t blocks = kMaxDecodedBytes / zeros.size() + 1;
    for (size_t i = 0; i <= blocks; ++i) {
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
        zs.avail_in = static_cast<uInt>(zeros.size());
        const int flush = i == blocks ? Z_FINISH : Z_NO_FLUSH;
        do {
            zs.next_out = out;
            zs.avail_out = sizeof out;
            deflate(&zs, flush);
            packed.append(reinterpret_cast<char*>(out), sizeof out - zs.avail_out);
        } while (zs.avail_out == 0);
    }
    deflateEnd(&zs);
    ASSERT_LT(packed.size(), 1u << 20);
    const DataBuffer bomb = bufferOf(packed);
    EXPECT_EQ(messageOf<PdfException>([&] { flateDecode(bomb); }), "ZLib decompression error");
    // Up to the limit everything comes out.
    EXPECT_EQ(flateDecode(flateEncode(bufferOf(std::string(100000, 'z')))).length(), 100000);
}
