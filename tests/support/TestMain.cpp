#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Ends the program with the running test's name when one test takes far longer
// than any test should, so that a test stuck in a wait fails in minutes, named,
// instead of at the test runner's timeout of the whole program.
// QUILLET_TEST_WATCHDOG sets the limit in seconds (0: no watchdog).
class Watchdog : public testing::EmptyTestEventListener {
public:
    explicit Watchdog(int seconds) : m_limit(seconds), m_thread([this] { watch(); }) {}
    ~Watchdog() override
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_ending = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    void OnTestStart(const testing::TestInfo& test) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_running = std::string(test.test_suite_name()) + "." + test.name();
        m_started = std::chrono::steady_clock::now();
        ++m_count;
        m_changed.notify_all();
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_running.clear();
        m_changed.notify_all();
    }

private:
    void watch()
    {
        std::unique_lock<std::mutex> guard(m_lock);
        while (!m_ending) {
            if (m_running.empty()) {
                m_changed.wait(guard, [this] { return m_ending || !m_running.empty(); });
                continue;
            }
            const unsigned long count = m_count;
            const auto deadline = m_started + m_limit;
            if (m_changed.wait_until(guard, deadline, [&] { return m_ending || m_count != count || m_running.empty(); }))
                continue;
            std::fprintf(stderr, "\n[ WATCHDOG ] %s still runs after %d s: ended as hanging\n", m_running.c_str(),
                         static_cast<int>(m_limit.count()));
            std::fflush(stdout);
            std::fflush(stderr);
            std::_Exit(3);
        }
    }

    const std::chrono::seconds m_limit;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::string m_running;
    std::chrono::steady_clock::time_point m_started;
    unsigned long m_count = 0;
    bool m_ending = false;
    std::thread m_thread; // last: starts once the members above exist
};

int watchdogSeconds()
{
    if (const char* value = std::getenv("QUILLET_TEST_WATCHDOG"))
        return std::atoi(value);
    return 240;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int limit = watchdogSeconds();
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    std::unique_ptr<Watchdog> watchdog(limit > 0 ? new Watchdog(limit) : nullptr);
    if (watchdog)
        listeners.Append(watchdog.get());
    const int result = RUN_ALL_TESTS();
    if (watchdog)
        listeners.Release(watchdog.get()); // ended here, before the program's exit
    return result;
}
