#include "base/Files.h"
#include "base/Paths.h"
#include "explorer/FileDataObject_win.h"
#include "explorer/FolderTransfer_win.h"
#include "gui/Messages.h"
#include "tests/explorer/ExplorerTestSupport_win.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ole;

namespace {

// Every file and folder below folder, relative to it, sorted.
std::vector<ZString> everythingBelow(const ZString& folder, const ZString& prefix = ZString())
{
    std::vector<ZString> files;
    std::vector<ZString> folders;
    listFolder(folder, &files, &folders);
    std::vector<ZString> all;
    for (const ZString& file : files)
        all.push_back(joinPath(prefix, fileNamePart(file)));
    for (const ZString& sub : folders) {
        const ZString name = joinPath(prefix, fileNamePart(sub));
        all.push_back(name + L"\\");
        for (const ZString& inner : everythingBelow(sub, name))
            all.push_back(inner);
    }
    std::sort(all.begin(), all.end());
    return all;
}

// Records the boxes the transfer shows.
class BoxRecorder {
public:
    BoxRecorder()
    {
        setMessageAnswerer([this](const ZString& text, const ZString& caption, unsigned) {
            texts.push_back(text);
            captions.push_back(caption);
            return IDOK;
        });
    }
    ~BoxRecorder() { setMessageAnswerer({}); }
    std::vector<ZString> texts;
    std::vector<ZString> captions;
};

class VirtualFileDrops : public testing::TestWithParam<bool> {
protected:
    ScratchFolder m_scratch;
    ZString m_target = m_scratch.file(L"target");
    void SetUp() override { ASSERT_TRUE(CreateDirectoryW(m_target.c_str(), nullptr)); }
};

} // namespace

TEST_P(VirtualFileDrops, SameNamesGetFreeNumberedNamesAndLeaveTheOldFileAlone)
{
    ASSERT_TRUE(writeFileBytes(joinPath(m_target, L"a.pdf"), "old"));
    auto source = makeObject<VirtualFileSource>(
        std::vector<VirtualEntry>{{L"a.pdf", "first"}, {L"a.pdf", std::string(100000, 's')}}, GetParam());
    std::vector<ZString> created;
    ASSERT_TRUE(transferIntoFolder(source.get(), m_target, DROPEFFECT_COPY, &created));
    ASSERT_EQ(created.size(), 2u);
    EXPECT_NE(created[0], created[1]);
    EXPECT_EQ(readFileBytes(joinPath(m_target, L"a.pdf")), "old");
    EXPECT_EQ(readFileBytes(created[0]), "first");
    EXPECT_EQ(readFileBytes(created[1]), std::string(100000, 's'));
    EXPECT_EQ(everythingBelow(m_target), (std::vector<ZString>{L"a (1).pdf", L"a (2).pdf", L"a.pdf"}));
}

TEST_P(VirtualFileDrops, AFolderEntryAndTheFileInsideBothArrive)
{
    VirtualEntry folder{L"folder", "", true};
    auto source = makeObject<VirtualFileSource>(
        std::vector<VirtualEntry>{folder, {L"folder\\inner.pdf", "inner"}, {L"new\\deep.pdf", "deep"}}, GetParam());
    std::vector<ZString> created;
    ASSERT_TRUE(transferIntoFolder(source.get(), m_target, DROPEFFECT_MOVE, &created));
    EXPECT_EQ(readFileBytes(joinPath(m_target, L"folder\\inner.pdf")), "inner");
    EXPECT_EQ(readFileBytes(joinPath(m_target, L"new\\deep.pdf")), "deep");
    EXPECT_EQ(created.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(ContentsAs, VirtualFileDrops, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Streams" : "HGlobals"; });

TEST(VirtualFileSafety, NamesFromOutsideNeverWriteOutsideTheTargetFolder)
{
    ScratchFolder scratch;
    const ZString target = joinPath(joinPath(scratch.path(), L"deep"), L"target");
    ASSERT_TRUE(createFolder(target, true));
    auto source = makeObject<VirtualFileSource>(
        std::vector<VirtualEntry>{{L"..\\..\\x.pdf", "escape"},
                                  {L"C:\\x.pdf", "absolute"},
                                  {L"CON", "device"},
                                  {L"sub\\..\\..\\y.pdf", "escape"},
                                  {L"..", "", true},
                                  {L"kept.pdf", "kept"}},
        false);
    BoxRecorder boxes;
    std::vector<ZString> created;
    EXPECT_TRUE(transferIntoFolder(source.get(), target, DROPEFFECT_COPY, &created));
    EXPECT_EQ(created, std::vector<ZString>{joinPath(target, L"kept.pdf")});
    EXPECT_EQ(everythingBelow(scratch.path()), (std::vector<ZString>{L"deep\\", L"deep\\target\\",
                                                                      L"deep\\target\\kept.pdf"}));
    EXPECT_FALSE(pathExists(L"C:\\x.pdf"));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(source->contentRequests(), 1);
}

TEST(VirtualFileSafety, AFolderThatCannotBeMadeEndsTheTransferWithAnUntitledBox)
{
    ScratchFolder scratch;
    ASSERT_TRUE(writeFileBytes(scratch.file(L"taken"), "a file, not a folder"));
    auto source = makeObject<VirtualFileSource>(
        std::vector<VirtualEntry>{{L"taken", "", true}, {L"after.pdf", "after"}}, true);
    BoxRecorder boxes;
    std::vector<ZString> created;
    EXPECT_FALSE(transferIntoFolder(source.get(), scratch.path(), DROPEFFECT_COPY, &created));
    EXPECT_EQ(boxes.texts, std::vector<ZString>{L"Could not create directory: taken"});
    EXPECT_EQ(boxes.captions, std::vector<ZString>{ZString()});
    EXPECT_FALSE(pathExists(scratch.file(L"after.pdf")));
}

TEST(PathDrops, FilesAreCopiedOrMovedAndTheirNewPathsReturned)
{
    ScratchFolder from;
    ScratchFolder to;
    const ZString a = from.file(L"a.pdf");
    const ZString b = from.file(L"b.pdf");
    ASSERT_TRUE(writeFileBytes(a, "A"));
    ASSERT_TRUE(writeFileBytes(b, "B"));
    auto data = makeObject<FileDataObject>(std::vector<ZString>{a, b}, ZString(), false);
    std::vector<ZString> arrived;
    ASSERT_TRUE(transferIntoFolder(data.get(), to.path(), DROPEFFECT_COPY, &arrived));
    EXPECT_EQ(arrived, (std::vector<ZString>{to.file(L"a.pdf"), to.file(L"b.pdf")}));
    EXPECT_EQ(readFileBytes(to.file(L"b.pdf")), "B");
    EXPECT_TRUE(pathExists(a));

    // Moved onto the folder they are in, they stay as they are.
    arrived.clear();
    ASSERT_TRUE(transferIntoFolder(data.get(), from.path(), DROPEFFECT_MOVE, &arrived));
    EXPECT_EQ(arrived, (std::vector<ZString>{a, b}));
    EXPECT_EQ(everythingBelow(from.path()), (std::vector<ZString>{L"a.pdf", L"b.pdf"}));

    ScratchFolder third;
    ASSERT_TRUE(transferIntoFolder(data.get(), third.path(), DROPEFFECT_MOVE, nullptr));
    EXPECT_EQ(readFileBytes(third.file(L"a.pdf")), "A");
    EXPECT_FALSE(pathExists(a));
    EXPECT_FALSE(pathExists(b));
}

TEST(PathDrops, TheFirstTransferFormatInTheSourcesOrderDecides)
{
    ScratchFolder from;
    ScratchFolder to;
    const ZString real = from.file(L"real.pdf");
    ASSERT_TRUE(writeFileBytes(real, "path"));
    // Paths first: the file is copied; its virtual twin is not asked for.
    auto pathsFirst = makeObject<VirtualFileSource>(std::vector<VirtualEntry>{{L"virtual.pdf", "v"}}, false,
                                                    std::vector<ZString>{real});
    ASSERT_TRUE(transferIntoFolder(pathsFirst.get(), to.path(), DROPEFFECT_COPY, nullptr));
    EXPECT_EQ(everythingBelow(to.path()), std::vector<ZString>{L"real.pdf"});
    EXPECT_EQ(pathsFirst->contentRequests(), 0);
    // A virtual-only data object of our own gives its files as contents.
    ScratchFolder third;
    auto virtualOnly = makeObject<FileDataObject>(std::vector<ZString>{real}, ZString(), true);
    ASSERT_TRUE(transferIntoFolder(virtualOnly.get(), third.path(), DROPEFFECT_COPY, nullptr));
    EXPECT_EQ(readFileBytes(third.file(L"real.pdf")), "path");
}
