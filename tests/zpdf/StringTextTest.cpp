#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/String.h"

#include <gtest/gtest.h>

using namespace zpdf;

namespace {

// The text of a string given by its raw bytes.
ZString text(const std::string& raw) { return String(DataBuffer(raw.data(), static_cast<int>(raw.size()))).getText(); }

} // namespace

TEST(StringText, LiteralEscapes)
{
    EXPECT_EQ(text("(a\\)b)"), L"a)b");
    EXPECT_EQ(text("(\\101)"), L"A");
    EXPECT_EQ(text("(\\1x)"), ZString(L"\x01x")) << "one digit, then the letter is kept";
    EXPECT_EQ(text("(\\0101)"), L"\x08" L"1") << "at most three digits";
    EXPECT_EQ(text("(a\\\nb)"), L"ab") << "an escaped line feed disappears";
    EXPECT_EQ(text("(a\\\r\nb)"), L"a\nb") << "only the byte after the backslash is dropped";
    EXPECT_EQ(text("(\\n\\r\\t\\b\\f\\\\\\(\\q)"), L"\n\r\t\b\f\\(q");
    EXPECT_EQ(text("(a\\)"), L"a\\") << "a backslash right before the closing parenthesis stands for itself";
    EXPECT_EQ(text("(caf\xE9)"), L"caf\xE9") << "one character per byte";
    EXPECT_EQ(text("(open"), L"open") << "cut off by the end of the file";
}

TEST(StringText, Utf16WithByteOrderMark)
{
    EXPECT_EQ(text(std::string("(\xFE\xFF\x00" "A\x00" "B)", 8)), L"AB");
    EXPECT_EQ(text(std::string("(\xFE\xFF\x04\x10\x20)", 7)), ZString(L"\x0410\x2000")) << "a lone last byte is a high byte";
    EXPECT_EQ(text(std::string("(\xFE\xFF\\\x00)", 6)), ZString(L"\x5C00")) << "no escapes in UTF-16";
}

TEST(StringText, Hexadecimal)
{
    EXPECT_EQ(text("<FEFF00410042>"), L"AB");
    EXPECT_EQ(text("<4142>"), L"AB");
    EXPECT_EQ(text("<61a2B>"), L"a\xA2") << "an incomplete pair is ignored";
    EXPECT_EQ(text("<FEFF004100>"), L"A") << "an incomplete group is ignored";
    EXPECT_EQ(text("<4 41>"), ZString(L"\x04" L"A")) << "a pair is read up to its first non-digit";
}

TEST(StringText, EmptyAndForeign)
{
    EXPECT_EQ(text(""), L"");
    EXPECT_EQ(text("("), L"");
    EXPECT_EQ(text("()"), L"");
    EXPECT_EQ(text("<>"), L"");
    EXPECT_EQ(text("abc"), L"");
}
