// The job store with real source files: making, merging and removing jobs,
// and what happens to the documents behind them.
#include "base/Files.h"
#include "base/Lang.h"
#include "gui/Messages.h"
#include "jobs/JobStore.h"
#include "jobs/SaveJobs.h"
#include "operations/PdfSource.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <utility>

namespace {

struct JobStoreTest : testing::Test {
    void SetUp() override
    {
        setMessageAnswerer([this](const ZString& text, const ZString&, unsigned) {
            asked.push_back(text);
            return IDNO;
        });
    }
    void TearDown() override { setMessageAnswerer({}); }

    Job* fromSample(const wchar_t* name)
    {
        ZString reason;
        return store.createJobFromFile(name, sourcePath(L"samples/sample.pdf"), reason);
    }

    JobStore store;
    std::vector<ZString> asked;
};

} // namespace

// A name's text before its trailing number, and the number (-1 when it has none).
std::pair<std::wstring, int> splitTrailingNumber(const ZString& name)
{
    const std::wstring_view text = name.view();
    size_t digits = text.size();
    while (digits > 0 && iswdigit(text[digits - 1]))
        --digits;
    if (digits == text.size())
        return {std::wstring(text), -1};
    return {std::wstring(text.substr(0, digits)), ZString(text.substr(digits)).toInt()};
}

TEST_F(JobStoreTest, NewJobNamesCountUp)
{
    const auto first = splitTrailingNumber(newJobName());
    const auto second = splitTrailingNumber(newJobName());
    ASSERT_GE(first.second, 0);
    EXPECT_EQ(first.first, lang_getStr(L"quillet/jobs/~name-for-new-job").toStdString());
    EXPECT_EQ(second.first, first.first);
    EXPECT_EQ(second.second, first.second + 1);
}

// Run alone, in a process of its own (see CMakeLists.txt), before anything
// else has counted.
TEST(NewJobNames, DISABLED_TheFirstEndsInZero)
{
    EXPECT_EQ(newJobName(), lang_getStr(L"quillet/jobs/~name-for-new-job") + L"0");
}

TEST_F(JobStoreTest, FilesBecomeJobsOfPrivateCopies)
{
    Job* job = fromSample(L"sample");
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->pageCount(), 3);
    EXPECT_FALSE(job->isModified());
    EXPECT_FALSE(job->isUnsaved());
    const ZString copy = job->page(1)->document->path();
    EXPECT_NE(copy, sourcePath(L"samples/sample.pdf"));
    EXPECT_TRUE(copy.startsWith(tempFolder()));
    EXPECT_EQ(readFileBytes(copy), readFileBytes(sourcePath(L"samples/sample.pdf")));

    ZString reason;
    EXPECT_EQ(store.createJobFromFile(L"x", sourcePath(L"README.md"), reason), nullptr);
    ScratchFolder scratch;
    const ZString broken = scratch.file(L"broken.pdf");
    writeFileBytes(broken, "%PDF-1.4 nothing else");
    EXPECT_EQ(store.createJobFromFile(L"y", broken, reason), nullptr);
    EXPECT_EQ(reason, L"Error reading PDF Info:\nstartxref not found");
    EXPECT_EQ(store.jobCount(), 1);
    EXPECT_EQ(store.documentCount(), 1);

    store.removeJob(job);
    EXPECT_EQ(store.documentCount(), 0);
    EXPECT_FALSE(pathExists(copy));
}

TEST_F(JobStoreTest, MergingKeepsOrderAndTheDocumentsStayWhileUsed)
{
    Job* a = fromSample(L"a");
    Job* b = fromSample(L"b");
    a->deletePages({1});
    EXPECT_EQ(store.merge({a}), nullptr);
    Job* merged = store.merge({a, b});
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(store.jobCount(), 1);
    EXPECT_EQ(merged->pageCount(), 5);
    EXPECT_EQ(merged->page(1)->pageNumber, 2);
    EXPECT_EQ(merged->page(3)->pageNumber, 1);
    EXPECT_NE(merged->page(1)->document, merged->page(3)->document);
    EXPECT_TRUE(merged->isUnsaved());
    EXPECT_EQ(store.documentCount(), 2);
    EXPECT_EQ(store.unsavedJobCount(), 1);
}

TEST_F(JobStoreTest, AMergeIsUndoneAndRedoneAndItsJobsGoWithTheirSteps)
{
    Job* a = fromSample(L"a");
    Job* b = fromSample(L"b");
    Job* c = fromSample(L"c");
    store.history().record({a});
    a->deletePages({1});
    b->rotate(90, {2});
    b->setUnsaved(false); // as after a save
    const ZString aFile = a->page(1)->document->path(), bFile = b->page(1)->document->path();
    Job* merged = store.merge({b, a}, [&](const Job* job) { return job == b ? 7 : 3; });
    ASSERT_NE(merged, nullptr);
    ASSERT_EQ(store.jobCount(), 2);

    // Undo: the merged job leaves, the two come back exactly as they were.
    JobHistoryChange change = store.undo([](const Job*) { return 9; });
    EXPECT_EQ(change.removed, std::vector<Job*>{merged});
    ASSERT_EQ(change.returned.size(), 2u);
    EXPECT_EQ(change.returned[0].job, a);
    EXPECT_EQ(change.returned[0].place, 3);
    EXPECT_EQ(change.returned[1].place, 7);
    ASSERT_EQ(store.jobCount(), 3);
    EXPECT_EQ(store.job(0), a);
    EXPECT_EQ(store.job(1), b);
    EXPECT_EQ(store.job(2), c);
    EXPECT_EQ(a->name(), L"a");
    EXPECT_EQ(a->pageCount(), 2);
    EXPECT_EQ(a->page(1)->pageNumber, 2);
    EXPECT_TRUE(a->isUnsaved());
    EXPECT_EQ(b->pageCount(), 3);
    EXPECT_EQ(b->rotation(2), 90);
    EXPECT_FALSE(b->isUnsaved());
    // The edit before the merge is undone next, on the job given back.
    store.undo();
    EXPECT_EQ(a->pageCount(), 3);
    store.redo();

    // Redo: merged again, the same job in the place it had when it left.
    change = store.redo();
    ASSERT_EQ(change.returned.size(), 1u);
    EXPECT_EQ(change.returned[0].job, merged);
    EXPECT_EQ(change.returned[0].place, 9);
    EXPECT_EQ(change.removed, (std::vector<Job*>{a, b}));
    ASSERT_EQ(store.jobCount(), 2);
    EXPECT_EQ(store.job(1), merged);
    EXPECT_EQ(merged->pageCount(), 5);
    EXPECT_EQ(merged->page(1)->pageNumber, 1);
    EXPECT_EQ(merged->rotation(2), 90);

    // While a step can bring them back, the merged-away jobs keep their files;
    // once newer steps push the merge out, the jobs and their files go.
    store.history().record({merged});
    merged->deletePages({1, 2, 3, 4, 5});
    EXPECT_TRUE(pathExists(aFile));
    EXPECT_TRUE(pathExists(bFile));
    for (size_t i = 0; i < JobHistory::kLimit; ++i) {
        store.history().record({c});
        c->rotateAll(90);
    }
    EXPECT_EQ(store.history().heldJobCount(), 0u);
    EXPECT_FALSE(pathExists(aFile));
    EXPECT_FALSE(pathExists(bFile));
    EXPECT_EQ(store.documentCount(), 1);

    // An undone merge ended by a new edit: the merged job goes, its sources stay.
    Job* d = fromSample(L"d");
    merged = store.merge({c, d});
    store.undo();
    EXPECT_EQ(store.history().heldJobCount(), 1u);
    store.history().record({c});
    c->rotateAll(90);
    EXPECT_EQ(store.history().heldJobCount(), 0u);
    EXPECT_EQ(store.jobCount(), 3);
    EXPECT_EQ(store.documentCount(), 2);
}

TEST_F(JobStoreTest, MergedAwayJobsHeldForUndoLeaveNoFilesBehind)
{
    ZString file;
    {
        JobStore own;
        ZString reason;
        Job* a = own.createJobFromFile(L"a", sourcePath(L"samples/sample.pdf"), reason);
        Job* b = own.createJobFromFile(L"b", sourcePath(L"samples/sample.pdf"), reason);
        file = a->page(1)->document->path();
        Job* merged = own.merge({a, b});
        own.history().record({merged});
        merged->deletePages({1, 2, 3, 4, 5, 6});
        ASSERT_EQ(own.history().heldJobCount(), 2u);
        EXPECT_TRUE(pathExists(file));
    }
    EXPECT_FALSE(pathExists(file));
}

TEST_F(JobStoreTest, OnlyUnsavedJobsWithPagesAskBeforeTheyGo)
{
    Job* job = fromSample(L"doomed");
    EXPECT_TRUE(confirmJobRemoval(*job)); // unchanged: nothing to ask
    job->deletePages({1, 2, 3});
    EXPECT_FALSE(job->isUnsaved());
    EXPECT_TRUE(confirmJobRemoval(*job));
    EXPECT_TRUE(asked.empty());

    Job* changed = fromSample(L"changed");
    changed->rotateAll(90);
    EXPECT_TRUE(confirmJobRemoval(*changed)); // the answer is No: removed without saving
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked.front().find(L"changed"), -1);
}
