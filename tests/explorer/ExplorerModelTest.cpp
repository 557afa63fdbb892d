// The explorer list's model without windows: the item order,
// the filter, names for new folders and renames, the history.
#include "explorer/DriveList.h"
#include "explorer/ExplorerItems.h"
#include "explorer/NameRules.h"
#include "explorer/NavigationHistory.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::vector<ZString> sortedNames(std::vector<ExplorerItem> items)
{
    sortExplorerItems(items);
    std::vector<ZString> names;
    for (const ExplorerItem& item : items)
        names.push_back(item.displayName);
    return names;
}

} // namespace

TEST(ExplorerItems, FoldersFirstThenNaturalOrder)
{
    EXPECT_EQ(sortedNames({makeExplorerItem(L"b", true), makeExplorerItem(L"a10", true),
                           makeExplorerItem(L"a9", true), makeExplorerItem(L"A2", true)}),
              (std::vector<ZString>{L"A2", L"a9", L"a10", L"b"}));
    EXPECT_EQ(sortedNames({makeExplorerItem(L"a.pdf", false), makeExplorerItem(L"z", true),
                           makeExplorerItem(L"Link.LNK", false), makeExplorerItem(L"b 2.pdf", false),
                           makeExplorerItem(L"b10.pdf", false)}),
              (std::vector<ZString>{L"z", L"a.pdf", L"b 2.pdf", L"b10.pdf", L"Link"}));
    ExplorerItem item = makeExplorerItem(L"x.lnk", false);
    EXPECT_EQ(item.name, L"x.lnk");
    item.rename(L".lnk");
    EXPECT_EQ(item.displayName, L".lnk"); // nothing would be left to show
}

TEST(ExplorerItems, FilterAcceptsListedExtensionsOnlyFilesWithOne)
{
    ExtensionFilter none;
    EXPECT_TRUE(none.accepts(L"notes.txt"));
    EXPECT_FALSE(none.accepts(L"README"));
    EXPECT_FALSE(none.accepts(L"trailing."));
    EXPECT_FALSE(none.accepts(L".profile"));

    ExtensionFilter filter = ExtensionFilter::parse(L" PDF  ps pdf ");
    EXPECT_EQ(filter.text(), L"pdf ps");
    EXPECT_TRUE(filter.accepts(L"x.PDF"));
    EXPECT_TRUE(filter.accepts(L"a.b.ps"));
    EXPECT_FALSE(filter.accepts(L"x.pdf.txt"));
    EXPECT_FALSE(filter.accepts(L"README"));
    EXPECT_TRUE(ExtensionFilter::parse(L"").isEmpty());
}

TEST(NameRules, NewFolderNamesCountUpWithoutBlank)
{
    std::set<ZString> taken;
    auto isTaken = [&](const ZString& name) { return taken.count(name) != 0; };
    EXPECT_EQ(freeFolderName(L"New folder", isTaken), L"New folder");
    taken.insert(L"New folder");
    EXPECT_EQ(freeFolderName(L"New folder", isTaken), L"New folder(1)");
    taken.insert(L"New folder(1)");
    EXPECT_EQ(freeFolderName(L"New folder", isTaken), L"New folder(2)");
}

TEST(NameRules, RenameTrimsAndRefusesBadCharactersAndFormatChanges)
{
    ZString text = L"  b.pdf ";
    EXPECT_EQ(judgeRename(L"a.pdf", text, true), RenameVerdict::Rename);
    EXPECT_EQ(text, L"b.pdf");
    text = L"   ";
    EXPECT_EQ(judgeRename(L"a.pdf", text, true), RenameVerdict::KeepName);
    for (const wchar_t* bad : {L"a?.pdf", L"a/b.pdf", L"a|b.pdf", L"x\".pdf", L"c:.pdf"}) {
        text = bad;
        EXPECT_EQ(judgeRename(L"a.pdf", text, true), RenameVerdict::CharactersNotAllowed) << text.toUtf8();
    }
    text = L"a.txt";
    EXPECT_EQ(judgeRename(L"a.pdf", text, true), RenameVerdict::ExtensionChanged);
    text = L"a";
    EXPECT_EQ(judgeRename(L"a.pdf", text, true), RenameVerdict::ExtensionChanged);
    text = L"A.PDF";
    EXPECT_EQ(judgeRename(L"a.pdf", text, true), RenameVerdict::Rename);
    text = L"folder.new"; // folders may take any ending
    EXPECT_EQ(judgeRename(L"folder", text, false), RenameVerdict::Rename);
    EXPECT_EQ(ZString(kInvalidNameCharacters).length(), 9);
}

TEST(NavigationHistory, PushBackForwardAndDroppedForwardEntries)
{
    NavigationHistory history;
    EXPECT_FALSE(history.canGoBack());
    history.push(L"C:\\a");
    history.push(L"c:\\A");
    EXPECT_EQ(history.entries().size(), 1u);
    history.push(L"C:\\b");
    history.push(L"C:\\c");
    EXPECT_EQ(history.back(), L"C:\\b");
    EXPECT_EQ(history.back(), L"C:\\a");
    EXPECT_EQ(history.back(), L"");
    EXPECT_EQ(history.forward(), L"C:\\b");
    EXPECT_TRUE(history.canGoForward());
    history.push(L"C:\\d");
    EXPECT_FALSE(history.canGoForward());
    EXPECT_EQ(history.entries(), (std::vector<ZString>{L"C:\\a", L"C:\\b", L"C:\\d"}));
    EXPECT_EQ(history.current(), L"C:\\d");
}

TEST(DriveList, PolicyBitsHideDrivesAndLabelsNameVolumesAndShares)
{
    const wchar_t strings[] = L"A:\\\0C:\\\0d:\\\0Z:\\\0";
    EXPECT_EQ(visibleDrives(strings, 0), (std::vector<ZString>{L"A:\\", L"C:\\", L"d:\\", L"Z:\\"}));
    EXPECT_EQ(visibleDrives(strings, 4), (std::vector<ZString>{L"A:\\", L"d:\\", L"Z:\\"}));
    EXPECT_EQ(visibleDrives(strings, (1u << 25) | 1u | 8u), (std::vector<ZString>{L"C:\\"}));
    EXPECT_TRUE(visibleDrives(L"\0", 0).empty());

    EXPECT_EQ(driveLabel(L"C:\\"), L"C:");
    EXPECT_EQ(localDriveLabel(L"System", L"C:\\"), L"System (C:)");
    EXPECT_EQ(localDriveLabel(L"", L"C:\\"), L"");
    EXPECT_EQ(networkDriveLabel(L"\\\\server\\docs", L"N:\\"), L"docs (server) (N:)");
    EXPECT_EQ(networkDriveLabel(L"\\\\server", L"N:\\"), L"");
    EXPECT_EQ(networkDriveLabel(L"server\\docs", L"N:\\"), L"");
}
