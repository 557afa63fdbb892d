#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Objects.h"

#include <gtest/gtest.h>

using namespace zpdf;

namespace {

IPtr<Stream> makeStream(const std::string& dict, const std::string& data)
{
    const IPtr<Dict> d = parseObject(dict)->toDict();
    return IPtr<Stream>(new Stream(d, IPtr<StreamData>(new StreamData(DataBuffer(data.data(), static_cast<int>(data.size()))))));
}

std::string bytesOf(const Stream& stream) { return toString(stream.data()->bytes()); }

int lengthOf(const Stream& stream) { return stream.dict()->getNumber(kLength)->intValue(); }

std::string pdfError(Stream& stream)
{
    return messageOf<PdfException>([&] { stream.removeFilter(); });
}

std::string unsupported(Stream& stream)
{
    return messageOf<UnsupportedException>([&] { stream.removeFilter(); });
}

} // namespace

TEST(StreamFilters, WithoutFilterNothingChanges)
{
    const IPtr<Stream> s = makeStream("<< /Length 99 >>", "plain");
    s->removeFilter();
    EXPECT_EQ(bytesOf(*s), "plain");
    EXPECT_EQ(lengthOf(*s), 99) << "the Length stays as it was, even a wrong one";
}

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
    EXPECT_FALSE(s->dict()->has(kFilter));
    EXPECT_EQ(lengthOf(*s), 5000);

    const IPtr<Stream> empty(new Stream());
    EXPECT_EQ(lengthOf(*empty), 0);
    empty->compress();
    EXPECT_GT(lengthOf(*empty), 0);
    EXPECT_EQ(lengthOf(*empty), empty->data()->bytes().length());
    empty->removeFilter();
    EXPECT_EQ(bytesOf(*empty), "") << "an empty stream compresses into a valid zlib stream";

    const IPtr<Stream> ascii = makeStream("<< /Filter /ASCIIHexDecode >>", "41");
    ascii->compress();
    EXPECT_EQ(bytesOf(*ascii), "41");
    EXPECT_EQ(serialise(*ascii->dict()->get(kFilter)), "/ASCIIHexDecode");
}

TEST(StreamFilters, PngPredictorRows)
{
    // Five-byte rows as cross-reference streams have them, predicted Up.
    const std::string rows = std::string("\x02\x01\x00\x10\x00\x00", 6) + std::string("\x02\x00\x00\x05\x00\x00", 6);
    const IPtr<Stream> xref = makeStream("<< /Filter [/FlateDecode] /DecodeParms [<< /Predictor 12 /Columns 5 >>] >>",
                                         deflated(rows));
    xref->removeFilter();
    EXPECT_EQ(bytesOf(*xref), std::string("\x01\x00\x10\x00\x00\x01\x00\x15\x00\x00", 10));
    EXPECT_FALSE(xref->dict()->has(kDecodeParms));

    // Sub, Average, Paeth, a row of an unknown type (no output) and a short
    // last row predicted Up from the last decoded one.
    const std::string mixed("\x01\x0a\x05\x05"
                            "\x03\x04\x04\x04"
                            "\x04\x01\x01\x01"
                            "\x07\x09\x09\x09"
                            "\x02\x01\x01",
                            19);
    const IPtr<Stream> image =
        makeStream("<< /Filter /FlateDecode /DecodeParms << /Predictor 15 /Columns 3 >> >>", deflated(mixed));
    image->removeFilter();
    EXPECT_EQ(bytesOf(*image), std::string("\x0a\x0f\x14\x09\x10\x16\x0a\x11\x17\x0b\x12", 11));

    // Two colours of 8 bits: Sub reaches back one pixel of two bytes.
    const IPtr<Stream> wide = makeStream(
        "<< /Filter /FlateDecode /DecodeParms << /Predictor 11 /Columns 2 /Colors 2 /BitsPerComponent 8 >> >>",
        deflated(std::string("\x01\x01\x02\x03\x04", 5)));
    wide->removeFilter();
    EXPECT_EQ(bytesOf(*wide), std::string("\x01\x02\x04\x06", 4));

    const IPtr<Stream> none = makeStream("<< /Filter /FlateDecode /DecodeParms << /Predictor 1 >> >>", deflated("abc"));
    none->removeFilter();
    EXPECT_EQ(bytesOf(*none), "abc");
}

TEST(StreamFilters, AsciiAndRunLengthDecoders)
{
    const IPtr<Stream> hex = makeStream("<< /Filter /ASCIIHexDecode >>", "4142");
    hex->removeFilter();
    EXPECT_EQ(bytesOf(*hex), "AB");
    // Pairs are taken as they come: white space and ">" are not skipped.
    const IPtr<Stream> spaced = makeStream("<< /Filter /ASCIIHexDecode >>", "41 42>");
    spaced->removeFilter();
    EXPECT_EQ(bytesOf(*spaced), std::string("A\x00\x02", 3));
    const IPtr<Stream> odd = makeStream("<< /Filter /ASCIIHexDecode >>", "414");
    odd->removeFilter();
    EXPECT_EQ(bytesOf(*odd), "A@") << "a last single digit gets 0 as its low digit";

    const IPtr<Stream> a85 = makeStream("<< /Filter /ASCII85Decode >>", "87cURD_*#TD\nfTZ)+T~>");
    a85->removeFilter();
    EXPECT_EQ(bytesOf(*a85), "Hello, world!");
    const IPtr<Stream> zeros = makeStream("<< /Filter /ASCII85Decode >>", "z@:E^~>");
    zeros->removeFilter();
    EXPECT_EQ(bytesOf(*zeros), std::string("\0\0\0\0abc", 7));
    const IPtr<Stream> bad85 = makeStream("<< /Filter /ASCII85Decode >>", "87c{UR~>");
    EXPECT_NE(pdfError(*bad85), "");

    const IPtr<Stream> runs = makeStream("<< /Filter /RunLengthDecode >>", std::string("\x02" "abc\xfe" "x\x80" "zz", 9));
    runs->removeFilter();
    EXPECT_EQ(bytesOf(*runs), "abcxxx") << "128 ends the data";

    // Filters apply in order, with parameters missing at the end of a
    // shorter DecodeParms array counting as none.
    std::string hexOfDeflated;
    for (unsigned char c : deflated("chained")) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", c);
        hexOfDeflated += pair;
    }
    const IPtr<Stream> chain =
        makeStream("<< /Filter [/ASCIIHexDecode /FlateDecode] /DecodeParms [null] /Length 1 >>", hexOfDeflated);
    chain->removeFilter();
    EXPECT_EQ(bytesOf(*chain), "chained");
    EXPECT_EQ(lengthOf(*chain), 7);
}

TEST(StreamFilters, RefusedFiltersAndParameters)
{
    const IPtr<Stream> dct = makeStream("<< /Filter /DCTDecode /Length 4 >>", "\xff\xd8\xff\xe0");
    EXPECT_EQ(unsupported(*dct), "Stream::decode: Passender Decoder nicht vorhanden");
    EXPECT_EQ(bytesOf(*dct), "\xff\xd8\xff\xe0");
    EXPECT_TRUE(dct->dict()->has(kFilter));

    for (const char* predictor : {"2", "0", "9"}) {
        const IPtr<Stream> tiff = makeStream(
            std::string("<< /Filter /FlateDecode /DecodeParms << /Predictor ") + predictor + " >> >>", deflated("abc"));
        EXPECT_EQ(unsupported(*tiff), "Predictor less than 10 not supported") << predictor;
    }

    const IPtr<Stream> arrayParms =
        makeStream("<< /Filter /FlateDecode /DecodeParms [<< /Predictor 12 >>] >>", deflated("abc"));
    EXPECT_EQ(pdfError(*arrayParms), "DecodeParms must be a dictionary");
    const IPtr<Stream> dictParms =
        makeStream("<< /Filter [/FlateDecode] /DecodeParms << /Predictor 12 >> >>", deflated("abc"));
    EXPECT_EQ(pdfError(*dictParms), "DecodeParms must be an array");
    for (const char* filter : {"5", "5 0 R", "(FlateDecode)"}) {
        const IPtr<Stream> s = makeStream(std::string("<< /Filter ") + filter + " >>", "abc");
        EXPECT_EQ(pdfError(*s), "removeFilter() - Filter value not valid") << filter;
    }
    const IPtr<Stream> broken = makeStream("<< /Filter /FlateDecode >>", "not zlib at all");
    EXPECT_EQ(pdfError(*broken), "ZLib decompression error");
}
