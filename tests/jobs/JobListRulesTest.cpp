// The job list's rules without windows: element sizes and mode stepping, the
// stacking and scroll arithmetic, page selection with its anchor and the
// toolbar's enable rules.
#include "jobs/JobLayout.h"
#include "jobs/JobListCommands.h"
#include "jobs/PageSelection.h"

#include <gtest/gtest.h>

using namespace joblayout;

TEST(DisplayModes, SizesScaleAndModeFiveFollowsTheVisibleHeight)
{
    EXPECT_EQ(elementSize(0, 96, 700), 85);
    EXPECT_EQ(elementSize(2, 96, 700), 250);
    EXPECT_EQ(elementSize(4, 144, 700), 675);
    EXPECT_EQ(elementSize(5, 96, 700), 685);
    EXPECT_EQ(elementSize(5, 192, 700), 670);
    // Stepping wraps both ways.
    EXPECT_EQ(steppedMode(4, 1), 5);
    EXPECT_EQ(steppedMode(5, 1), 0);
    EXPECT_EQ(steppedMode(0, -1), 5);
}

TEST(JobWindowLayoutTest, RowsWrapAndHitTestsFindPagesAndGaps)
{
    // 8 px margins at 96 dpi: 100 px elements, three to a row in 340 px.
    const JobWindowLayout l(340, 100, 7, 96);
    EXPECT_EQ(l.columns(), 3);
    EXPECT_EQ(l.rows(), 3);
    EXPECT_EQ(l.height(), 30 + 3 * 108 + 8);
    const Box fifth = l.elementBox(5);
    EXPECT_EQ(fifth.left, 8 + 108);
    EXPECT_EQ(fifth.top, 30 + 8 + 108);
    EXPECT_EQ(l.pageAt(fifth.left + 1, fifth.top + 1), 5);
    EXPECT_EQ(l.pageAt(fifth.left - 2, fifth.top + 1), 0); // in the gap
    EXPECT_EQ(l.pageAt(330, 40), 0);                       // right of the last column
    // The left half of an element drops before it, the right half after it.
    EXPECT_EQ(l.insertPositionAt(fifth.left + 10, fifth.top + 50), 4);
    EXPECT_EQ(l.insertPositionAt(fifth.right - 10, fifth.top + 50), 5);
    EXPECT_EQ(l.insertPositionAt(5, 5), 0);
    EXPECT_EQ(l.insertPositionAt(300, 1000), 7);
    const auto [first, last] = l.pagesInBand(30 + 8 + 108, 30 + 8 + 108 + 50);
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 6);
    EXPECT_GT(JobWindowLayout(340, 100, 0, 96).height(), 30); // room for the empty job's text
}

TEST(JobListLayoutTest, StackingBandsAndScrollLines)
{
    JobListLayout list;
    list.setHeights({100, 200, 50}, 10);
    EXPECT_EQ(list.top(1), 110);
    EXPECT_EQ(list.top(2), 320);
    EXPECT_EQ(list.totalHeight(), 370); // no gap after the last
    EXPECT_EQ(list.jobsInBand(0, 50), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(list.jobsInBand(105, 330), (std::pair<int, int>{1, 2}));
    EXPECT_EQ(list.dropIndexAt(20), 0);
    EXPECT_EQ(list.dropIndexAt(240), 2);
    EXPECT_EQ(list.dropIndexAt(1000), 3);

    const ScrollLines lines = scrollLines(370, 100, 20);
    EXPECT_EQ(lines.maximum, 18);
    EXPECT_EQ(lines.page, 5);
    EXPECT_TRUE(lines.scrollable());
    EXPECT_EQ(clampedLine(lines, 100), 14);
    EXPECT_EQ(clampedLine(lines, -3), 0);
    EXPECT_FALSE(scrollLines(90, 100, 20).scrollable()); // everything fits: the bar is disabled
}

TEST(PageSelectionTest, ClicksWithModifiersAndTheAnchor)
{
    PageSelection s;
    EXPECT_FALSE(s.pressPlain(3));
    EXPECT_EQ(s.pages(), (std::vector<int>{3}));
    EXPECT_EQ(s.anchor(), 3);
    s.pressCtrl(6);
    s.pressCtrl(1);
    EXPECT_EQ(s.pages(), (std::vector<int>{3, 6, 1})); // in the order picked
    EXPECT_EQ(s.anchor(), 1);
    s.pressCtrl(6); // toggled off, and the anchor follows
    EXPECT_EQ(s.pages(), (std::vector<int>{3, 1}));
    EXPECT_EQ(s.anchor(), 6);
    s.pressShift(4);
    EXPECT_EQ(s.pages(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(s.anchor(), 6); // Shift keeps the anchor
    s.pressPlain(2);
    s.pressCtrlShift(5);
    EXPECT_EQ(s.pages(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(s.anchor(), 2);
    // A press on a selected page keeps a multi-page selection for a drag;
    // the release without a drag leaves that page alone.
    EXPECT_TRUE(s.pressPlain(4));
    EXPECT_EQ(s.pages().size(), 4u);
    s.releasePlain(4);
    EXPECT_EQ(s.pages(), (std::vector<int>{4}));
    s.invert(5);
    EXPECT_EQ(s.pages(), (std::vector<int>{1, 2, 3, 5}));
    s.limitTo(2);
    EXPECT_EQ(s.pages(), (std::vector<int>{1, 2}));
}

TEST(JobListCommandRules, EnableStatesMenusAndMoves)
{
    using namespace joblist;
    ListState three{{false, true, false}, {true, true, false}};
    EXPECT_TRUE(asksAllOrSelected(three.selectedCount(), three.all()));
    EXPECT_FALSE(asksAllOrSelected(0, 3));
    EXPECT_FALSE(asksAllOrSelected(3, 3));
    EXPECT_TRUE(isEnabled(three, MoveUp));
    EXPECT_TRUE(isEnabled(three, MoveDown));
    EXPECT_TRUE(isEnabled(three, OpenViewer));
    EXPECT_TRUE(isEnabled(three, MergeMenu));
    EXPECT_TRUE(isEnabled(three, Sort));

    ListState first{{true, false}, {true, true}};
    EXPECT_FALSE(isEnabled(first, MoveUp));
    EXPECT_TRUE(isEnabled(first, MoveDown));
    ListState two{{true, true}, {true, true}};
    EXPECT_FALSE(isEnabled(two, MoveUp)); // two selected
    EXPECT_FALSE(asksMergeAllOrSelected(two)); // all = selected: merged at once
    EXPECT_FALSE(isEnabled(two, OpenViewer));

    ListState one{{false}, {false}};
    EXPECT_FALSE(isEnabled(one, Sort));
    EXPECT_FALSE(isEnabled(one, SaveMenu));
    EXPECT_FALSE(isEnabled(one, PrintSelected));
    EXPECT_TRUE(isEnabled(one, RemoveMenu));
    EXPECT_TRUE(isEnabled(one, CreateEmpty));
}
