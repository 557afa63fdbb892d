#include "base/Paths.h"
#include "base/TextUtil.h"
#include "base/UrlEncode.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

TEST(Quote, SpacesAround)
{
    EXPECT_EQ(quote(L"a b"), L"\"a b\"");
    EXPECT_EQ(quote(L"x", true, false), L" \"x\"");
    EXPECT_EQ(quote(L"x", true, true), L" \"x\" ");
}

TEST(Split, DropsOrKeepsEmptyPieces)
{
    std::vector<ZString> parts;
    split(L";a;;bc;", L";", parts);
    EXPECT_EQ(parts, (std::vector<ZString>{L"a", L"bc"}));
    parts.clear();
    split(L";a;;bc;", L";", parts, true);
    EXPECT_EQ(parts, (std::vector<ZString>{L"", L"a", L"", L"bc", L""}));
    parts.clear();
    split(L"a<>b", L"<>", parts);
    EXPECT_EQ(parts, (std::vector<ZString>{L"a", L"b"}));
}

TEST(Utf8Decode, DecodesTwoAndThreeByteForms)
{
    EXPECT_EQ(utf8Decode("\xC3\xA9"), ZString(L"\xE9"));
    EXPECT_EQ(utf8Decode("a\xE2\x82\xAC" "b"), ZString(L"a\x20AC" L"b"));
    EXPECT_EQ(utf8Decode(""), ZString());
}

TEST(Utf8DecodeLenient, KeepsSurrogatesEncodedOneByOneAndReplacesMalformedBytes)
{
    const std::string pair = "\xF0\x9F\x98\x80", units = "\xED\xA0\xBD\xED\xB8\x80";
    EXPECT_EQ(utf8DecodeLenient(pair.data(), pair.size()), ZString(L"\xD83D\xDE00"));
    EXPECT_EQ(utf8DecodeLenient(units.data(), units.size()), ZString(L"\xD83D\xDE00"));
    EXPECT_EQ(utf8DecodeLenient("a\x80" "b\xC3", 4), ZString(L"a\xFFFD" L"b\xFFFD"));
}

TEST(Utf8Decode, MalformedInputThrowsNumberedErrors)
{
    auto message = [](const char* bytes) {
        try {
            utf8Decode(bytes);
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("\xC3" "A"), "Invalid format: 1");
    EXPECT_EQ(message("\xE2\x82"), "Invalid format: 2");
    EXPECT_EQ(message("\xE2" "A\x82"), "Invalid format: 2");
    EXPECT_EQ(message("\xF0\x9F\x98\x80"), "Invalid format: 3");
    EXPECT_EQ(message("\x80"), "Invalid format: 3");
}

TEST(WidenBytes, KeepsEveryByteAsTheCharacterOfItsValue)
{
    // The library's German messages: "\xFC" is an u-umlaut, not a negative value.
    EXPECT_EQ(widenBytes("Ung\xFCltig"), ZString(L"Ung\x00FCltig"));
    EXPECT_EQ(widenBytes(""), ZString());
}

TEST(RandomString, DrawsFromTheAlphabet)
{
    const ZString s = randomString(200, kRandomAlphabetLowerAlnum);
    ASSERT_EQ(s.length(), 200);
    std::set<wchar_t> distinct;
    for (int i = 0; i < s.length(); ++i) {
        EXPECT_NE(wcschr(kRandomAlphabetLowerAlnum, s.getAt(i)), nullptr);
        distinct.insert(s.getAt(i));
    }
    EXPECT_GT(distinct.size(), 10u);
    const ZString d = randomString(300);
    EXPECT_EQ(d.length(), 300);
    EXPECT_EQ(d.countChars(L"!@#$%^&*") > 0, true); // 8 of 70 characters: practically always present
}

TEST(Paths, JoiningAndParts)
{
    EXPECT_EQ(joinPath(L"", L"name"), L"name");
    EXPECT_EQ(joinPath(L"C:\\dir\\/", L"\\/name"), L"C:\\dir\\name");
    EXPECT_EQ(fileNamePart(L"C:\\dir\\file.pdf\\"), L"file.pdf");
    EXPECT_EQ(folderPart(L"C:\\dir\\file.pdf"), L"C:\\dir");
    // "C:" alone would name the drive's current folder, not its root.
    EXPECT_EQ(folderPart(L"C:\\x.pdf"), L"C:\\");
    EXPECT_EQ(folderPart(L"D:/x.pdf"), L"D:/");
    EXPECT_EQ(extensionOf(L"C:\\d.x\\report.tar.PDF"), L".PDF");
    EXPECT_EQ(extensionOf(L"C:\\d.x\\report"), L"");
    EXPECT_EQ(withoutExtension(L"C:\\d\\report.pdf"), L"C:\\d\\report");
    EXPECT_TRUE(hasInvalidFileNameChars(L"a?b"));
    EXPECT_FALSE(hasInvalidFileNameChars(L"a b.pdf"));
}

TEST(UrlEncode, KeepsUnreservedAndEncodesUtf8BytesInLowerCaseHex)
{
    EXPECT_EQ(urlEncode(L"Tamlo-Quillet_8.3.0~"), L"Tamlo-Quillet_8.3.0~");
    EXPECT_EQ(urlEncode(L"a b&c=d/e+f"), L"a%20b%26c%3dd%2fe%2bf");
    // U+00E4 is two UTF-8 bytes, U+20AC three, U+1F600 (a surrogate pair) four.
    EXPECT_EQ(urlEncode(L"\xE4\x20AC\xD83D\xDE00"), L"%c3%a4%e2%82%ac%f0%9f%98%80");
    EXPECT_EQ(urlEncodeBytes(std::string("\x00\xFF", 2)), "%00%ff");
}
