#include "base/ZString.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ZStringGrowth, CapacityFollowsThreeHalvesRule)
{
    ZString s;
    EXPECT_EQ(s.capacity(), 0);
    std::vector<int> seen;
    for (int i = 0; i < 13; ++i) {
        s.appendChar(L'x');
        if (seen.empty() || seen.back() != s.capacity())
            seen.push_back(s.capacity());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 6, 9, 13}));
    // Truncation never shrinks the buffer; a copy is sized to the length.
    s.truncate(2);
    EXPECT_EQ(s.capacity(), 13);
    ZString copy(s);
    EXPECT_EQ(copy.capacity(), 2);
    EXPECT_EQ(copy, L"xx");
}

TEST(ZStringGrowth, LargeAppendTakesNeededSize)
{
    ZString s(L"ab");
    s.append(L"0123456789");
    EXPECT_EQ(s.capacity(), 12);
    EXPECT_EQ(s.length(), 12);
}

TEST(ZStringLength, UncountedLengthIsCountedOnFirstUse)
{
    ZString s;
    s.setLength(10);
    wcscpy(s.data(), L"abc");
    s.markUncounted();
    EXPECT_EQ(s.length(), 3);
    s.appendChar(L'd');
    EXPECT_EQ(s, L"abcd");
}

TEST(ZStringCounts, MinusOneMeansZeroTerminated)
{
    EXPECT_EQ(ZString(L"hello", -1).length(), 5);
    EXPECT_EQ(ZString(L"hello", 2), L"he");
    EXPECT_TRUE(ZString(nullptr, -1).isEmpty());
    ZString s(L"ab");
    s.append(L"cdef", 2).append(ZString(L"xyz"), 1).append(ZString(L"12"), 99);
    EXPECT_EQ(s, L"abcdx12");
}

TEST(ZStringEdit, ClampingOfIndexes)
{
    ZString s(L"hello");
    EXPECT_EQ(ZString(s).insert(-5, L"<"), L"<hello");
    EXPECT_EQ(ZString(s).insert(99, L">"), L"hello>");
    EXPECT_EQ(ZString(s).replaceRange(-3, 1, L"J"), L"Jllo");
    EXPECT_EQ(ZString(s).replaceRange(3, 99, L"p!"), L"help!");
    EXPECT_EQ(ZString(s).replaceRange(3, 2, L"x"), L"hello");
    EXPECT_EQ(ZString(s).erase(1, 3), L"ho");
    EXPECT_EQ(ZString(s).erase(-2, 0), L"ello");
    EXPECT_EQ(ZString(s).erase(3, 99), L"hel");
    EXPECT_EQ(ZString(s).erase(5, 9), L"hello");
    EXPECT_EQ(ZString(s).erase(-5, -1), L"hello");
    EXPECT_EQ(ZString(s).truncate(-1), L"");
    EXPECT_EQ(ZString(s).truncate(99), L"hello");
    EXPECT_EQ(s.substring(-4, 1), L"he");
    EXPECT_EQ(s.substring(2, -1), L"llo");
    EXPECT_EQ(s.substring(3, 99), L"lo");
}

TEST(ZStringEdit, ReplaceAllDoesNotRescanItsReplacement)
{
    EXPECT_EQ(ZString(L"aaa").replaceAll(L"a", L"aa"), L"aaaaaa");
    EXPECT_EQ(ZString(L"a-b-c").replaceAll(L"-", L""), L"abc");
    EXPECT_EQ(ZString(L"a-b-c").replaceFirst(L"-", L"+"), L"a+b-c");
    EXPECT_EQ(ZString(L"a:b*c").replaceChars(L":*", L'_'), L"a_b_c");
}

TEST(ZStringEdit, TrimAndCase)
{
    EXPECT_EQ(ZString(L"\t\r\n x y \v\f").trim(), L"x y");
    EXPECT_EQ(ZString(L"  x ").trimLeft(), L"x ");
    EXPECT_EQ(ZString(L"MiXeD").toLower(), L"mixed");
    EXPECT_EQ(ZString(L"MiXeD").toUpper(), L"MIXED");
    ZString z(L"ab");
    z.setLength(4);
    EXPECT_EQ(z.length(), 4);
    EXPECT_EQ(z.getAt(3), L'\0');
}

TEST(ZStringQuery, GetAtThrowsOutsideTheText)
{
    const ZString s(L"ab");
    EXPECT_EQ(s.getAt(1), L'b');
    try {
        s.getAt(2);
        FAIL();
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "ZString::getAt(int): Index out of range");
    }
    EXPECT_THROW(s.getAt(-1), std::out_of_range);
}

TEST(ZStringQuery, FindAndAffixes)
{
    const ZString s(L"one two one");
    EXPECT_EQ(s.find(L"one"), 0);
    EXPECT_EQ(s.find(L"one", -1, 1), 8);
    EXPECT_EQ(s.find(L"one", -1, 12), -1);
    EXPECT_EQ(s.find(L"one", -1, -1), -1);
    EXPECT_EQ(s.findChar(L'o', 1), 6);
    EXPECT_EQ(s.findLastChar(L'o'), 8);
    EXPECT_EQ(s.findChar(L'z'), -1);
    EXPECT_TRUE(s.startsWith(L""));
    EXPECT_TRUE(s.endsWith(L""));
    EXPECT_TRUE(s.endsWith(L'e'));
    EXPECT_FALSE(ZString().startsWith(L'x'));
    EXPECT_EQ(s.countChars(L"on"), 5);
}

TEST(ZStringQuery, CompareIsOrdinal)
{
    EXPECT_EQ(ZString(L"B").compare(L"a"), -1);
    EXPECT_EQ(ZString(L"ab").compare(L"a"), 1);
    EXPECT_EQ(ZString(L"a").compare(L"a"), 0);
    EXPECT_TRUE(ZString(L"Hello").equalsIgnoreCase(L"hELLO"));
    EXPECT_EQ(ZString(L"\xE9").compare(L"z"), 1);
}

TEST(ZStringNumbers, AppendAndParse)
{
    ZString s;
    s.appendNumber(int32_t(-42)).appendChar(L' ').appendNumber(255L, 16).appendChar(L' ');
    s.appendNumber(int32_t(-1), 16).appendChar(L' ').appendNumber(4000000000UL);
    EXPECT_EQ(s, L"-42 ff ffffffff 4000000000");
    EXPECT_EQ(ZString(L"  123abc").toInt(), 123);
    EXPECT_EQ(ZString(L"ff").toInt(16), 255);
    EXPECT_EQ(ZString(L"abc").toInt(), 0);
    EXPECT_DOUBLE_EQ(ZString(L"2.5").toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(ZString(L"-0.75x").toDouble(), -0.75);
}

TEST(ZStringFormat, FormatsWideAndLongTexts)
{
    EXPECT_EQ(ZString::format(L"%d-%ls", 7, L"x"), L"7-x");
    const ZString longText(std::wstring(3000, L'q'));
    const ZString formatted = ZString::format(L"<%ls>", longText.c_str());
    EXPECT_EQ(formatted.length(), 3002);
    ZString s(L"a");
    s.appendFormat(L"%02d", 5);
    EXPECT_EQ(s, L"a05");
}

TEST(ZStringUtf8, EncodesAllPlanes)
{
    const wchar_t text[] = {L'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 0};
    EXPECT_EQ(ZString(text).toUtf8(), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}
