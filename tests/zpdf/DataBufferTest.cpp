#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/DataBuffer.h"
#include "zpdf/Exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace zpdf;

TEST(DataBufferGrowth, DoublesPlusTwoOrTakesWhatIsNeeded)
{
    DataBuffer b;
    EXPECT_EQ(b.capacity(), 10);
    b.append("0123456789");
    EXPECT_EQ(b.capacity(), 10);
    b.append('x'); // 2 * 10 + 2
    EXPECT_EQ(b.capacity(), 22);
    b.append(std::string(100, 'y').c_str()); // 11 + 100 needed
    EXPECT_EQ(b.capacity(), 111);
    EXPECT_EQ(b.at(b.length()), 0) << "the byte after the last one reads as the terminator";
    // Appending a part of itself survives the move of the storage.
    DataBuffer self("abc");
    for (int i = 0; i < 5; ++i)
        self.append(self);
    EXPECT_EQ(self.length(), 96);
    EXPECT_TRUE(self.startsWith(93, "abc"));
}

TEST(DataBufferBounds, IndexesOutsideThrow)
{
    const DataBuffer b("12ab");
    EXPECT_EQ(b.at(4), 0);
    EXPECT_TRUE(b.isDigit(1));
    EXPECT_FALSE(b.isDigit(2));
    EXPECT_TRUE(b.startsWith(2, "ab"));
    EXPECT_FALSE(b.startsWith(3, "bc")) << "text reaching past the end";
    for (const auto& outside : std::initializer_list<std::function<void()>>{
             [&] { b.at(5); }, [&] { b.at(-1); }, [&] { b.isDigit(9); }, [&] { b.startsWith(-2, "1"); }})
        EXPECT_EQ(messageOf<std::range_error>(outside), "Index not in array range");
}

TEST(DataBufferRead, DigitsBytesAndSearch)
{
    const DataBuffer b("x12345y");
    DataBuffer out;
    EXPECT_EQ(b.readDigits(1, out, 3), 3);
    EXPECT_EQ(b.readDigits(1, out, -1), 5);
    EXPECT_EQ(toString(out), "12312345");
    EXPECT_EQ(b.readDigits(0, out), 0);

    const DataBuffer bin("\x01\x02\xFF\x80\0\0\0\0", 8);
    EXPECT_EQ(bin.readBytesAsInt(0, 0), 0u);
    EXPECT_EQ(bin.readBytesAsInt(0, 4), 0x0102FF80u);
    EXPECT_EQ(bin.readBytesAsInt(3, 1), 0x80u);
    EXPECT_EQ(messageOf<PdfException>([&] { bin.readBytesAsInt(0, 5); }),
              "DataBuffer::readBytesAsInt() anzahl nicht g\xFCltig.");
    for (const int offset : {7, -1})
        EXPECT_EQ(messageOf<IndexOutOfBoundsException>([&] { bin.readBytesAsInt(offset, 2); }),
                  "DataBuffer::readBytesAsInt() int kann nicht gelesen werden.");

    const DataBuffer text("startxref 1 startxref 2");
    EXPECT_EQ(text.rfind("startxref"), 12);
    EXPECT_EQ(text.rfind("xref 2"), 17);
    EXPECT_EQ(text.rfind("trailer"), -1);
}

TEST(DataBufferOrder, BytewiseUnsignedShorterFirst)
{
    for (const auto& [low, high] : {std::pair<const char*, const char*>{"A", "AB"}, {"AB", "B"}, {"Z", "a"},
                                    {"z", "\xE4"}, {"", "Kids"}}) {
        EXPECT_LT(DataBuffer(low).compare(DataBuffer(high)), 0) << low << " < " << high;
        EXPECT_GT(DataBuffer(high).compare(DataBuffer(low)), 0) << high << " > " << low;
    }
    EXPECT_EQ(DataBuffer("Kids").compare(DataBuffer("Kids")), 0);
}

TEST(DataBufferNumbers, CLibraryConversions)
{
    EXPECT_EQ(DataBuffer("  -42xyz").toInt(), -42);
    EXPECT_EQ(DataBuffer("12.5").toInt(), 12);
    EXPECT_EQ(DataBuffer("99999999999").toInt(), 2147483647) << "saturates instead of wrapping";
    EXPECT_EQ(DataBuffer("-99999999999").toInt(), -2147483647 - 1);
    EXPECT_EQ(DataBuffer("").toInt(), 0);
    EXPECT_DOUBLE_EQ(DataBuffer("-.75").toDouble(), -0.75);
    EXPECT_DOUBLE_EQ(DataBuffer("abc").toDouble(), 0.0);
}
