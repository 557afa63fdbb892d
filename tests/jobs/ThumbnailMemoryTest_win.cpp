// Thumbnails kept within the process's budget while the user scrolls a long
// job: real pages rendered by the interpreter, real windows, posted keys.
#include "base/Files.h"
#include "base/Settings.h"
#include "jobs/Job.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlg_win.h"
#include "jobs/JobStore.h"
#include "operations/Ghostscript.h"
#include "operations/PdfSource.h"
#include "operations/ThumbBudget.h"
#include "tests/jobs/JobListTestSupport_win.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gdiplus.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

std::string numberedPagesPostScript(int pages)
{
    std::string ps = "%!PS\n/Helvetica findfont 48 scalefont setfont\n";
    for (int k = 1; k <= pages; ++k)
        ps += "100 400 moveto (page " + std::to_string(k) + ") show showpage\n";
    return ps;
}

class ThumbnailMemory : public JobListTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        openList(3);
    }
    void TearDown() override
    {
        closeList();
        thumbBudget().setLimit(ThumbBudget::kDefaultLimit);
        InterpreterTest::TearDown();
    }
    JobDlg& job() { return container().window(0); }
    int renders() { return job().job().page(1)->document->thumbMaker()->renderCount(); }

    // The pages whose elements show in the list, at least in part.
    std::set<int> inView()
    {
        const RECT view = container().windowRect();
        const RECT r = job().windowRect();
        const auto [first, last] = job().layout().pagesInBand(view.top - r.top, view.bottom - r.top);
        std::set<int> pages;
        for (int page = first; page <= last; ++page)
            pages.insert(page);
        return pages;
    }
    std::set<int> held()
    {
        std::set<int> pages;
        for (int page = 1; page <= job().job().pageCount(); ++page)
            if (job().thumbnailOf(page) != nullptr)
                pages.insert(page);
        return pages;
    }
    // Scrolls by a posted key and waits until every page in view has its thumbnail.
    std::set<int> scrollAndWait(UINT key)
    {
        postKey(container().hwnd(), key);
        const std::set<int> shown = inView();
        EXPECT_TRUE(waitFor([&] {
            pumpUntilIdle();
            const std::set<int> now = held();
            return std::includes(now.begin(), now.end(), shown.begin(), shown.end());
        }, 60000));
        return shown;
    }
    static size_t countIn(const std::set<int>& pages, const std::set<int>& of)
    {
        return static_cast<size_t>(std::count_if(pages.begin(), pages.end(), [&](int p) { return of.count(p) != 0; }));
    }

};

} // namespace

TEST_F(ThumbnailMemory, TheLeastRecentlyShownGoFirstAndComeBackWithoutTheInterpreter)
{
    const ZString ps = m_scratch.file(L"pages.ps");
    const ZString pdf = m_scratch.file(L"pages.pdf");
    writeFileBytes(ps, numberedPagesPostScript(24));
    psToPdf(ps, pdf, nullptr);
    ASSERT_TRUE(m_list->addJobFromFile(pdf, L"long"));
    pumpUntilIdle();

    // Three views far apart: the top, the end, the middle.
    const std::set<int> top = scrollAndWait(VK_HOME);
    const std::set<int> end = scrollAndWait(VK_END);
    ASSERT_EQ(held(), [&] {
        std::set<int> both = top;
        both.insert(end.begin(), end.end());
        return both;
    }()); // far from view, but the default budget keeps them
    // Straight to the middle, as a drag of the scroll box goes.
    const int last = container().firstLine();
    container().scrollTo(last / 2);
    pumpUntilIdle();
    const std::set<int> middle = inView();
    ASSERT_EQ(countIn(middle, top) + countIn(middle, end) + countIn(top, end), 0u) << "the views overlap";

    // Room for the middle and the end: the top, shown longest ago, goes.
    Gdiplus::Bitmap* sample = job().thumbnailOf(*end.begin());
    ASSERT_NE(sample, nullptr);
    ThumbRequest like;
    like.width = static_cast<int>(sample->GetWidth());
    like.height = static_cast<int>(sample->GetHeight());
    thumbBudget().setLimit(ThumbBudget::bytesOf(like) * (middle.size() + end.size()));
    InvalidateRect(job().hwnd(), nullptr, FALSE);
    EXPECT_TRUE(waitFor([&] {
        pumpUntilIdle();
        const std::set<int> now = held();
        return std::includes(now.begin(), now.end(), middle.begin(), middle.end());
    }, 60000));
    std::set<int> now = held();
    EXPECT_EQ(countIn(now, top), 0u);
    EXPECT_EQ(countIn(now, end), end.size());
    EXPECT_EQ(countIn(now, middle), middle.size());
    const int rendered = renders();
    EXPECT_EQ(rendered, static_cast<int>(top.size() + end.size() + middle.size()));

    // Back at the top: made again from the kept page images; now the end
    // (shown before the middle) gives way first.
    EXPECT_EQ(scrollAndWait(VK_HOME), top);
    now = held();
    EXPECT_EQ(countIn(now, top), top.size());
    const size_t othersKept = middle.size() + end.size() - std::min(top.size(), middle.size() + end.size());
    EXPECT_EQ(countIn(now, middle) + countIn(now, end), othersKept);
    if (countIn(now, end) > 0) {
        EXPECT_EQ(countIn(now, middle), middle.size());
    }
    EXPECT_EQ(renders(), rendered);

    // A budget smaller than the view: the pages in view stay, every other goes.
    thumbBudget().setLimit(1);
    InvalidateRect(job().hwnd(), nullptr, FALSE);
    pumpUntilIdle();
    EXPECT_EQ(held(), top);
    EXPECT_EQ(renders(), rendered);
}
