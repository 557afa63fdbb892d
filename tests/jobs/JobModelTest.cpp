#include "jobs/Job.h"

#include <gtest/gtest.h>

namespace {

// Pages of a job as "document:page" labels; documents are told apart by address.
PdfSource* const kDocA = reinterpret_cast<PdfSource*>(0x1000);
PdfSource* const kDocB = reinterpret_cast<PdfSource*>(0x2000);

void fill(Job& job, PdfSource* doc, int count)
{
    std::vector<JobPage> pages;
    for (int n = 1; n <= count; ++n)
        pages.push_back({doc, n, 0});
    job.setInitialPages(pages);
}

std::vector<int> order(const Job& job)
{
    std::vector<int> numbers;
    for (const JobPage& p : job.pages())
        numbers.push_back(p.pageNumber + (p.document == kDocB ? 100 : 0));
    return numbers;
}

} // namespace

TEST(JobPages, OutOfRangeNumbersGiveNothing)
{
    Job job(L"j");
    fill(job, kDocA, 3);
    EXPECT_FALSE(job.page(0));
    EXPECT_FALSE(job.page(4));
    EXPECT_EQ(job.page(2)->pageNumber, 2);
    EXPECT_EQ(job.rotation(9), 0);
    EXPECT_FALSE(job.isModified());
    EXPECT_FALSE(job.isUnsaved());
}

TEST(JobPages, RotationKeepsTheSignOfTheRemainder)
{
    Job job(L"j");
    fill(job, kDocA, 3);
    job.rotate(-90, {1});
    EXPECT_EQ(job.rotation(1), -90);
    job.rotate(-180, {1});
    EXPECT_EQ(job.rotation(1), -270);
    job.rotate(-90, {1, 7});
    EXPECT_EQ(job.rotation(1), 0);
    job.rotate(270, {2});
    job.rotate(90, {2});
    EXPECT_EQ(job.rotation(2), 0);
    job.rotateAll(450);
    EXPECT_EQ(job.rotation(3), 90);
    EXPECT_TRUE(job.isModified());
    EXPECT_TRUE(job.isUnsaved());
}

TEST(JobPages, DeletingEveryPageLeavesNothingUnsaved)
{
    Job job(L"j");
    fill(job, kDocA, 3);
    int changes = 0;
    job.setChangeListener([&] { ++changes; });
    job.deletePages({2});
    EXPECT_EQ(order(job), (std::vector<int>{1, 3}));
    EXPECT_TRUE(job.isUnsaved());
    job.deletePages({1, 2});
    EXPECT_TRUE(job.isEmpty());
    EXPECT_TRUE(job.isModified());
    EXPECT_FALSE(job.isUnsaved());
    EXPECT_EQ(changes, 2);
}

TEST(JobPages, MoveLeavesARunInPlaceAndReordersOtherwise)
{
    Job job(L"j");
    fill(job, kDocA, 5);
    for (int position : {1, 2, 3}) { // pages 2..3 before themselves or right after: no change
        job.movePages(position, {2, 3});
        EXPECT_FALSE(job.isModified()) << position;
    }
    job.movePages(2, {3, 2, 3}); // a page listed twice is still one page of the run
    EXPECT_FALSE(job.isModified());
    job.movePages(0, {4, 2});
    EXPECT_EQ(order(job), (std::vector<int>{4, 2, 1, 3, 5}));
    job.movePages(5, {1}); // the first page to the end
    EXPECT_EQ(order(job), (std::vector<int>{2, 1, 3, 5, 4}));
    job.movePages(2, {5, 1}); // non-adjacent pages in listed order, before the old page 2
    EXPECT_EQ(order(job), (std::vector<int>{1, 4, 2, 3, 5}));
    job.movePages(0, {3, 1, 3}); // moved once, in the order of first mention
    EXPECT_EQ(order(job), (std::vector<int>{2, 1, 4, 3, 5}));
}

TEST(JobPages, InsertAndAppendCopyPagesFromAnotherJob)
{
    Job a(L"a");
    Job b(L"b");
    fill(a, kDocA, 2);
    fill(b, kDocB, 3);
    a.insertPagesFrom(&b, 1, {3, 1});
    EXPECT_EQ(order(a), (std::vector<int>{1, 103, 101, 2}));
    a.insertPagesFrom(&a, 0, {1});
    a.insertPagesFrom(&b, 0, {});
    EXPECT_EQ(a.pageCount(), 4);
    a.insertPagesFrom(&b, 99, {2});
    EXPECT_EQ(order(a).back(), 102);
    a.appendAllPagesOf(&b);
    EXPECT_EQ(a.pageCount(), 8);
    EXPECT_TRUE(a.usesDocument(kDocB));
    EXPECT_EQ(b.pageCount(), 3);
    EXPECT_FALSE(b.isModified());
}
