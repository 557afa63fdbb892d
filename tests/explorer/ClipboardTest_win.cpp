#include "base/Files.h"
#include "base/Paths.h"
#include "explorer/FileClipboard_win.h"
#include "explorer/Medium_win.h"
#include "explorer/TransferFormats.h"
#include "tests/explorer/ExplorerTestSupport_win.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ole;

namespace {

class ClipboardFiles : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeFileBytes(m_a, "alpha"));
        ASSERT_TRUE(writeFileBytes(m_b, "beta"));
    }
    ScratchFolder m_from;
    ScratchFolder m_to;
    ZString m_a = m_from.file(L"a.pdf");
    ZString m_b = m_from.file(L"b b.pdf");
};

} // namespace

TEST_F(ClipboardFiles, CopyThenPasteLeavesTheOriginals)
{
    ASSERT_TRUE(putFilesOnClipboard(nullptr, {m_a, m_b}, false));
    EXPECT_TRUE(clipboardHasFiles());
    std::vector<ZString> arrived;
    ASSERT_TRUE(pasteFilesInto(nullptr, m_to.path(), &arrived));
    EXPECT_EQ(arrived, (std::vector<ZString>{m_to.file(L"a.pdf"), m_to.file(L"b b.pdf")}));
    EXPECT_EQ(readFileBytes(m_to.file(L"a.pdf")), "alpha");
    EXPECT_EQ(readFileBytes(m_to.file(L"b b.pdf")), "beta");
    EXPECT_TRUE(pathExists(m_a));
    EXPECT_TRUE(pathExists(m_b));
}

TEST_F(ClipboardFiles, CutThenPasteMovesThem)
{
    ASSERT_TRUE(putFilesOnClipboard(nullptr, {m_a, m_b}, true));
    ASSERT_TRUE(pasteFilesInto(nullptr, m_to.path(), nullptr));
    EXPECT_EQ(readFileBytes(m_to.file(L"b b.pdf")), "beta");
    EXPECT_FALSE(pathExists(m_a));
    EXPECT_FALSE(pathExists(m_b));
}

TEST_F(ClipboardFiles, AListWithoutPreferredEffectIsMoved)
{
    // As another program may leave it: CF_HDROP alone.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL list = globalFromBytes(buildDropFiles({m_a}, 0, 0));
    if (SetClipboardData(CF_HDROP, list) == nullptr)
        GlobalFree(list);
    CloseClipboard();
    ASSERT_TRUE(pasteFilesInto(nullptr, m_to.path(), nullptr));
    EXPECT_EQ(readFileBytes(m_to.file(L"a.pdf")), "alpha");
    EXPECT_FALSE(pathExists(m_a));
}

TEST_F(ClipboardFiles, ShellDropsOnTheWindowMoveEachFile)
{
    HGLOBAL drop = globalFromBytes(buildDropFiles({m_a, m_b}, 5, 5));
    std::vector<ZString> moved;
    EXPECT_TRUE(moveDroppedFilesInto(static_cast<HDROP>(drop), m_to.path(), &moved));
    GlobalFree(drop);
    EXPECT_EQ(moved.size(), 2u);
    EXPECT_EQ(readFileBytes(m_to.file(L"a.pdf")), "alpha");
    EXPECT_FALSE(pathExists(m_b));
}
