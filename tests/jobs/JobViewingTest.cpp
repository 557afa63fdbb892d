// Showing a job in its viewer, with a viewer that records what it is asked:
// which viewer is made, shown, hidden and closed, and which page it goes to.
#include "jobs/Job.h"
#include "jobs/JobStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RecordingViewer : IJobViewer {
    explicit RecordingViewer(std::vector<std::string>& log) : log(log) {}
    bool isShown() const override { return shown; }
    void showWindow(int command) override
    {
        shown = true;
        log.push_back("show " + std::to_string(command));
    }
    void hideWindow() override
    {
        shown = false;
        log.push_back("hide");
    }
    void close() override
    {
        shown = false;
        log.push_back("close");
    }
    int currentJobPage() const override { return page; }
    void showJobPage(int p) override
    {
        page = p;
        log.push_back("page " + std::to_string(p));
    }
    std::vector<std::string>& log;
    bool shown = false;
    int page = 0;
};

class ShowInViewer : public testing::Test {
protected:
    void SetUp() override
    {
        m_store.setViewerFactory([this](Job&) {
            ++m_made;
            return std::make_unique<RecordingViewer>(m_log);
        });
        m_first.setInitialPages({{nullptr, 1, 0}, {nullptr, 2, 0}, {nullptr, 3, 0}});
        m_second.setInitialPages({{nullptr, 1, 0}});
    }
    std::vector<std::string> takeLog() { return std::exchange(m_log, {}); }

    JobStore m_store;
    std::vector<std::string> m_log;
    int m_made = 0;
    Job m_first{L"first", &m_store};
    Job m_second{L"second", &m_store};
    Job m_empty{L"empty", &m_store};
};

using Log = std::vector<std::string>;

TEST_F(ShowInViewer, MakesShowsAndGoesToThePage)
{
    m_empty.showInViewer(9, -1);
    EXPECT_EQ(m_made, 0);
    EXPECT_EQ(m_empty.viewer(), nullptr);

    m_first.showInViewer(9, -1); // no page of its own yet: page 1
    EXPECT_EQ(takeLog(), (Log{"show 9", "page 1"}));
    EXPECT_EQ(m_store.currentViewerJob(), &m_first);

    m_first.showInViewer(17, 3); // visible: not shown again
    EXPECT_EQ(takeLog(), (Log{"page 3"}));
    m_first.viewer()->hideWindow();
    takeLog();
    m_first.showInViewer(9, -1); // its own page
    EXPECT_EQ(takeLog(), (Log{"show 9", "page 3"}));
    EXPECT_EQ(m_made, 1);
}

TEST_F(ShowInViewer, AnotherJobsViewerIsHiddenAndClosedAndAChangeDropsTheViewer)
{
    m_first.showInViewer(9, 2);
    takeLog();
    m_second.showInViewer(9, -1);
    EXPECT_EQ(takeLog(), (Log{"hide", "close", "show 9", "page 1"}));
    EXPECT_EQ(m_store.currentViewerJob(), &m_second);
    EXPECT_NE(m_first.viewer(), nullptr); // closed, still the job's

    m_second.rotateAll(90);
    EXPECT_EQ(takeLog(), (Log{"close"}));
    EXPECT_EQ(m_second.viewer(), nullptr);
    EXPECT_EQ(m_store.currentViewerJob(), nullptr);
    m_first.deletePages({1});
    EXPECT_EQ(m_first.viewer(), nullptr);
}

} // namespace
