#include "base/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {
struct Counter : Runnable {
    std::atomic<int> runs{0};
    void run() override { ++runs; }
};
} // namespace

TEST(Thread, RunsItsRunnableOncePerStart)
{
    Counter counter;
    Thread thread(&counter);
    EXPECT_FALSE(thread.isRunning());
    ASSERT_TRUE(thread.start());
    ASSERT_TRUE(thread.join(5000));
    EXPECT_FALSE(thread.isRunning());
    EXPECT_EQ(counter.runs, 1);
    ASSERT_TRUE(thread.start()); // an ended thread can be started again
    ASSERT_TRUE(thread.join(5000));
    EXPECT_EQ(counter.runs, 2);
}
