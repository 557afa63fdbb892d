#include "xhtml/Entities.h"

#include <gtest/gtest.h>

using xhtml::decodeEntities;

TEST(Entities, NumericFormsEndExactlyAtTheSemicolon)
{
    EXPECT_EQ(decodeEntities(L"&#65;&#x42;&#0103;"), L"ABC");
    EXPECT_EQ(decodeEntities(L"&#X42;&#0x43;&#0X44;"), L"BCD");
    EXPECT_EQ(decodeEntities(L"&#0;"), ZString(L"\0", 1));
    // Low 16 bits of the number.
    EXPECT_EQ(decodeEntities(L"&#65601;"), L"A");
    for (const wchar_t* bad : {L"&#65a;", L"&#x;", L"&#0x;", L"&#09;", L"&#xG1;", L"&#;", L"&# 65;"})
        EXPECT_EQ(decodeEntities(bad), bad) << ZString(bad).toUtf8();
}

TEST(Entities, NamedReferencesWithTheirSubstitutes)
{
    EXPECT_EQ(decodeEntities(L"&amp;&quot;&lt;&gt;"), L"&\"<>");
    EXPECT_EQ(decodeEntities(L"&nbsp;&iexcl;&Agrave;&yuml;"), L"\xA0\xA1\xC0\xFF");
    EXPECT_EQ(decodeEntities(L"&OElig;&oelig;&Scaron;&scaron;&Yuml;&fnof;&circ;&tilde;"), L"EeSs\xFF" L"f^~");
    EXPECT_EQ(decodeEntities(L"&ndash;&sbquo;&ldquo;&rdquo;"), L"-,\"\"");
    EXPECT_EQ(decodeEntities(L"&mdash;&euro;&trade;&hellip;&rsaquo;"), L"\x2014\x20AC\x2122\x2026\x203A");
    // Case matters; unknown names stay.
    EXPECT_EQ(decodeEntities(L"&AMP;&bogus;&oelig"), L"&AMP;&bogus;&oelig");
}

TEST(Entities, CutOffReferencesAreCopied)
{
    EXPECT_EQ(decodeEntities(L"a & b &amp c&lt;"), L"a & b &amp c<");
    EXPECT_EQ(decodeEntities(L"&&amp;"), L"&&");
    EXPECT_EQ(decodeEntities(L"no references"), L"no references");
}
