#include "jobs/NameOrder.h"

#include "base/NaturalOrder.h"

#include <gtest/gtest.h>

namespace {
struct Named {
    ZString name;
    int id;
};

std::vector<int> sortedIds(std::vector<Named> items, SortOrder order)
{
    sortByName<Named>(items, [](const Named& n) { return n.name; }, order);
    std::vector<int> ids;
    for (const Named& n : items)
        ids.push_back(n.id);
    return ids;
}
} // namespace

TEST(SortByName, NaturalAscendingOrdersNumbersByValue)
{
    EXPECT_EQ(sortedIds({{L"page 10", 1}, {L"page 2", 2}, {L"Page 1", 3}}, SortOrder::NaturalAscending),
              (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(sortedIds({{L"page 10", 1}, {L"page 2", 2}, {L"Page 1", 3}}, SortOrder::NaturalDescending),
              (std::vector<int>{1, 2, 3}));
}

TEST(SortByName, OrdinalIsCaseSensitive)
{
    EXPECT_EQ(sortedIds({{L"a", 1}, {L"B", 2}}, SortOrder::Ascending), (std::vector<int>{2, 1}));
    EXPECT_EQ(sortedIds({{L"B", 1}, {L"a", 2}}, SortOrder::Descending), (std::vector<int>{2, 1}));
}

TEST(SortByName, EqualNamesKeepOrSwapByOrder)
{
    const std::vector<Named> twins{{L"same", 1}, {L"same", 2}};
    EXPECT_EQ(sortedIds(twins, SortOrder::Ascending), (std::vector<int>{1, 2}));
    EXPECT_EQ(sortedIds(twins, SortOrder::NaturalDescending), (std::vector<int>{1, 2}));
    EXPECT_EQ(sortedIds(twins, SortOrder::Descending), (std::vector<int>{2, 1}));
    EXPECT_EQ(sortedIds(twins, SortOrder::NaturalAscending), (std::vector<int>{2, 1}));
    EXPECT_EQ(sortedIds({{L"only", 7}}, SortOrder::Descending), (std::vector<int>{7}));
}

TEST(SortByName, LongListsEndSorted)
{
    std::vector<Named> items;
    for (int i = 0; i < 37; ++i)
        items.push_back({ZString::format(L"n%d", (i * 17) % 37), i});
    sortByName<Named>(items, [](const Named& n) { return n.name; }, SortOrder::NaturalAscending);
    for (size_t i = 1; i < items.size(); ++i)
        EXPECT_LE(naturalCompare(items[i - 1].name.view(), items[i].name.view()), 0);
}
