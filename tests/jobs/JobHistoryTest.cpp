// Undo and redo of job edits through recorded states.
#include "jobs/Job.h"
#include "jobs/JobHistory.h"

#include <gtest/gtest.h>

TEST(JobHistoryTest, UndoAndRedoRestoreThePagesAndNames)
{
    Job a(L"A"), b(L"B");
    a.setInitialPages({{nullptr, 1, 0}, {nullptr, 2, 0}, {nullptr, 3, 0}});
    JobHistory history;
    OwnedJobs list; // the jobs here live outside any store
    history.record({&a});
    a.deletePages({2});
    history.record({&a, &b});
    b.insertPagesFrom(&a, 0, {1});
    history.record({&a});
    a.setName(L"Renamed");
    a.rotateAll(90);
    ASSERT_EQ(b.pageCount(), 1);

    EXPECT_EQ(history.undo(list).changed.size(), 1u);
    EXPECT_EQ(a.name(), L"A");
    EXPECT_EQ(a.rotation(1), 0);
    history.undo(list);
    EXPECT_EQ(b.pageCount(), 0);
    history.undo(list);
    EXPECT_EQ(a.pageCount(), 3);
    EXPECT_TRUE(a.isUnsaved()); // brought back: unsaved again
    EXPECT_TRUE(history.undo(list).isEmpty());

    history.redo(list);
    EXPECT_EQ(a.pageCount(), 2);
    EXPECT_EQ(a.page(2)->pageNumber, 3);
    history.forget(&b); // the step that names B goes
    EXPECT_EQ(history.redo(list).changed.size(), 1u);
    EXPECT_EQ(a.name(), L"Renamed");
    EXPECT_EQ(a.rotation(2), 90);
}
