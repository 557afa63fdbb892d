#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Primitives.h"
#include "zpdf/Writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace zpdf;

namespace {

// Switches the C runtime to a locale whose decimal point is a comma; null
// when the system has none.
const char* useCommaLocale()
{
#ifdef QUILLET_TEST_LOCPATH
    setenv("LOCPATH", QUILLET_TEST_LOCPATH, 1);
#endif
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "German", "deu"}) {
        if (std::setlocale(LC_ALL, name) != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0)
            return name;
    }
    std::setlocale(LC_ALL, "C");
    return nullptr;
}

struct CLocaleAtEnd {
    ~CLocaleAtEnd() { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST(NumbersUnderCommaLocale, KeepTheDecimalPoint)
{
    const char* locale = useCommaLocale();
    const CLocaleAtEnd restore;
    if (locale == nullptr)
        GTEST_SKIP() << "this system has no locale with a decimal comma";

    // The C library itself now writes and reads commas...
    char raw[32];
    std::snprintf(raw, sizeof raw, "%.2f", 2.5);
    ASSERT_STREQ(raw, "2,50") << locale;
    ASSERT_EQ(std::strtod("2.5", nullptr), 2.0) << locale;

    // ... while PDF numbers keep the point both ways.
    EXPECT_EQ(serialise(*parseObject("[3 2.5 -0.75 +.5 1234567.125]")),
              "[3 2.500000 -0.750000 0.500000 1234567.125000 ]");
    EXPECT_EQ(DataBuffer("1234.5678").toDouble(), 1234.5678);
    EXPECT_EQ(DataBuffer("1,5").toDouble(), 1.0) << "a comma ends a number, as in the C locale";
    TextParser p("7.25 -0.5");
    EXPECT_EQ(p.reader().readDouble(), 7.25);
    BufferWriter writer;
    writer.writeDouble(-0.125);
    EXPECT_EQ(toString(writer.buffer()), "-0.125000");
    Number third(1.0 / 3, NumberKind::Real);
    third.setFormat("%.3f");
    EXPECT_EQ(serialise(third), "0.333");
}
