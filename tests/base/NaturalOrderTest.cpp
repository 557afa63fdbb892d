#include "base/NaturalOrder.h"

#include <gtest/gtest.h>

TEST(NaturalOrder, NumbersByValueCaseIgnoredSpacesSkipped)
{
    EXPECT_LT(naturalCompare(L"A2", L"a9"), 0);
    EXPECT_LT(naturalCompare(L"a9", L"a10"), 0);
    EXPECT_LT(naturalCompare(L"a10", L"b"), 0);
    EXPECT_LT(naturalCompare(L"Page 1", L"page 2"), 0);
    EXPECT_GT(naturalCompare(L"page 100", L"page 20"), 0);
    EXPECT_LT(naturalCompare(L"img12a", L"img12b"), 0);
    EXPECT_EQ(naturalCompare(L"Report", L"REPORT"), 0);
    EXPECT_EQ(naturalCompare(L"a  b", L"ab"), 0);
    EXPECT_EQ(naturalCompare(L" x1", L"x 1"), 0);
    // Upper-case forms decide between letters and signs: '_' lies above 'Z'.
    EXPECT_LT(naturalCompare(L"a", L"_"), 0);
}

TEST(NaturalOrder, EndsOfNames)
{
    EXPECT_LT(naturalCompare(L"x", L"x1"), 0);
    EXPECT_GT(naturalCompare(L"ab", L"a"), 0);
    EXPECT_EQ(naturalCompare(L"", L""), 0);
    EXPECT_EQ(naturalCompare(L"", L"  "), 0);
    EXPECT_LT(naturalCompare(L"", L"a"), 0);
    EXPECT_EQ(naturalCompare(L"a1 ", L"a1"), 0);
}

TEST(NaturalOrder, LeadingZeroRunsCompareAsFractions)
{
    EXPECT_LT(naturalCompare(L"x05", L"x5"), 0);
    EXPECT_LT(naturalCompare(L"x012", L"x1"), 0);
    EXPECT_LT(naturalCompare(L"1.05", L"1.5"), 0);
    EXPECT_LT(naturalCompare(L"v0", L"v01"), 0);
    EXPECT_GT(naturalCompare(L"x09", L"x010"), 0);
    EXPECT_EQ(naturalCompare(L"x007y", L"x007Y"), 0);
}
