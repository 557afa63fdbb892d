#include "base/Files.h"
#include "base/MessageBox.h"
#include "base/Paths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <stdexcept>
#include <thread>

namespace {

void touch(const ZString& path, const std::string& content = "x") { ASSERT_TRUE(writeFileBytes(path, content)); }

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const wchar_t* name, const wchar_t* value) : m_name(name)
    {
        wchar_t buffer[4096];
        const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
        m_had = n > 0 && n < 4096;
        if (m_had)
            m_old = ZString(buffer, static_cast<int>(n));
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedEnv() { SetEnvironmentVariableW(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }

private:
    ZString m_name;
    ZString m_old;
    bool m_had = false;
};

} // namespace

TEST(TempFolder, SkipsCandidatesThatDoNotExist)
{
    ScratchFolder scratch;
    const ZString missing = joinPath(scratch.path(), L"gone");
    const ZString existing = scratch.path() + L"\\";
    ScopedEnv tmp(L"TMP", missing.c_str());       // GetTempPathW reports this one, which does not exist
    ScopedEnv temp(L"TEMP", existing.c_str());    // so this one is taken, without its trailing backslash
    EXPECT_EQ(tempFolder(), scratch.path());
}

TEST(TempFolder, UniquePathsLiveInTheSubFolderAndNeverRepeat)
{
    const ZString a = makeTempFileName(kTempSubFolder, L"pre", L".pdf");
    const ZString b = makeTempFileName(kTempSubFolder, L"pre", L".pdf");
    EXPECT_NE(a, b);
    EXPECT_EQ(folderPart(a), joinPath(tempFolder(), kTempSubFolder));
    EXPECT_TRUE(isFolder(folderPart(a)));
    EXPECT_TRUE(fileNamePart(a).startsWith(L"pre"));
    EXPECT_TRUE(a.endsWith(L".pdf"));
    EXPECT_FALSE(pathExists(a));
    const ZString folder = uniqueTempFolder(kTempSubFolder, L"dir", L"");
    EXPECT_TRUE(isFolder(folder));
    EXPECT_TRUE(deleteTree(folder));
}

TEST(FreeNumberedName, TakesTheFirstFreeNumber)
{
    ScratchFolder scratch;
    const ZString report = scratch.file(L"report.pdf");
    EXPECT_EQ(freeNumberedName(report), report);
    touch(report);
    touch(scratch.file(L"report (1).pdf"));
    EXPECT_EQ(freeNumberedName(report), scratch.file(L"report (2).pdf"));
}

TEST(DeleteTree, SparesHiddenEntriesAndTheirFolder)
{
    ScratchFolder scratch;
    const ZString top = scratch.file(L"tree");
    ASSERT_TRUE(createFolder(joinPath(top, L"sub\\deeper"), true));
    touch(joinPath(top, L"a.txt"));
    touch(joinPath(top, L"sub\\deeper\\b.txt"));
    const ZString hidden = joinPath(top, L"secret.txt");
    touch(hidden);
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    EXPECT_FALSE(deleteTree(top));
    EXPECT_TRUE(pathExists(hidden));
    EXPECT_TRUE(isFolder(top));
    EXPECT_FALSE(pathExists(joinPath(top, L"a.txt")));
    EXPECT_FALSE(pathExists(joinPath(top, L"sub")));

    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(deleteTree(top));
    EXPECT_FALSE(pathExists(top));
}

TEST(FileDeletion, FailsQuietlyAndDefersLockedFiles)
{
    ScratchFolder scratch;
    EXPECT_FALSE(deleteFile(L"", true));
    EXPECT_FALSE(deleteFile(scratch.file(L"none"), true));

    const ZString locked = scratch.file(L"locked.bin");
    touch(locked);
    HANDLE h = CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const size_t before = deferredDeletionCount();
    EXPECT_FALSE(deleteFile(locked, true));
    EXPECT_EQ(deferredDeletionCount(), before + 1);
    CloseHandle(h);

    const ZString later = scratch.file(L"later.bin");
    touch(later);
    deleteLater(later);
    deleteLater(L"");
    EXPECT_TRUE(pathExists(later));
    deleteDeferredFiles();
    EXPECT_FALSE(pathExists(locked));
    EXPECT_FALSE(pathExists(later));
    EXPECT_EQ(deferredDeletionCount(), 0u);
}

TEST(FileCopy, OverwritesAndRejectsEmptyPaths)
{
    ScratchFolder scratch;
    const ZString from = scratch.file(L"from.txt");
    const ZString to = scratch.file(L"to.txt");
    touch(from, "new content");
    touch(to, "old");
    EXPECT_TRUE(copyFile(from, to));
    EXPECT_EQ(readFileBytes(to), "new content");
    EXPECT_FALSE(copyFile(L"", to));
    EXPECT_FALSE(copyFile(scratch.file(L"missing"), to, 2, 1));
    EXPECT_EQ(readFileBytes(to), "new content");
}

TEST(FileCopy, AFailedCopyLeavesTheTargetAsItWasAndAsksThroughTheMessageFunctions)
{
    ScratchFolder scratch;
    const ZString from = scratch.file(L"from.txt");
    const ZString to = scratch.file(L"to.txt");
    touch(from, std::string(100000, 'n'));
    touch(to, "old");
    std::vector<ZString> boxes;
    setMessageAnswerer([&](const ZString& text, const ZString& caption, unsigned) {
        boxes.push_back(caption + L"|" + text);
        return IDOK;
    });
    // The source is held without sharing: every attempt fails.
    HANDLE lock = CreateFileW(from.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(copyFileRetry(from, to, nullptr));
    CloseHandle(lock);
    setMessageAnswerer({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.front().startsWith(L"File copy error|Error="));
    EXPECT_NE(boxes.front().find(L"\nTo=" + to), -1);
    EXPECT_EQ(readFileBytes(to), "old");
    std::vector<ZString> files;
    listFolder(scratch.path(), &files, nullptr, kListFiles);
    EXPECT_EQ(files.size(), 2u) << "no partial file stays behind";

    // A partial file moved into place replaces the target in one step.
    const ZString partial = partialFileFor(to);
    EXPECT_EQ(folderPart(partial), scratch.path());
    touch(partial, "complete");
    EXPECT_TRUE(moveIntoPlace(partial, to));
    EXPECT_EQ(readFileBytes(to), "complete");
    EXPECT_FALSE(pathExists(partial));
}

TEST(TempFolder, LeftoversOfAnEarlierRunAreRemovedAndOthersStay)
{
    ScratchFolder scratch;
    ScopedEnv tmp(L"TMP", scratch.path().c_str());
    ScopedEnv temp(L"TEMP", scratch.path().c_str());
    const ZString left = makeTempFileName(kTempSubFolder, L"", L".pdf");
    touch(left);
    const ZString leftFolder = uniqueTempFolder(kTempSubFolder, L"", L"");
    touch(joinPath(leftFolder, L"page-1.png"));
    const ZString outside = scratch.file(L"not-ours.txt");
    touch(outside);
    removeLeftoverTempFiles();
    EXPECT_FALSE(pathExists(left));
    EXPECT_FALSE(pathExists(leftFolder));
    EXPECT_TRUE(pathExists(outside));
}

TEST(Listing, ListsCountsAndFilters)
{
    ScratchFolder scratch;
    touch(scratch.file(L"a.pdf"));
    touch(scratch.file(L"b.txt"));
    ASSERT_TRUE(createFolder(scratch.file(L"sub"), false));
    const ZString hidden = scratch.file(L"h.txt");
    touch(hidden);
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);

    std::vector<ZString> files, folders;
    listFolder(scratch.path(), &files, &folders, kListFiles | kListFolders, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(folders, std::vector<ZString>{scratch.file(L"sub")});

    EXPECT_EQ(countEntries(scratch.path(), FILE_ATTRIBUTE_DIRECTORY, 0), 1);
    EXPECT_EQ(countEntries(scratch.path(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_DIRECTORY,
                           FILE_ATTRIBUTE_HIDDEN),
              3);
    EXPECT_EQ(countEntries(scratch.path(), 0xFFFFFFFF, 0, 2), 2);

    std::vector<ZString> out;
    filterPaths({scratch.file(L"a.pdf"), scratch.file(L"sub"), scratch.file(L"none")}, out, kFilterExistingFiles);
    EXPECT_EQ(out, std::vector<ZString>{scratch.file(L"a.pdf")});
    out.clear();
    filterPaths({scratch.file(L"a.pdf"), scratch.file(L"sub")}, out, kFilterFolders);
    EXPECT_EQ(out, std::vector<ZString>{scratch.file(L"sub")});
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(PathQuestions, ExistenceShortcutsAndFullPaths)
{
    ScratchFolder scratch;
    touch(scratch.file(L"f.txt"));
    EXPECT_TRUE(isFile(scratch.file(L"f.txt")));
    EXPECT_FALSE(isFile(scratch.path()));
    EXPECT_TRUE(isFolder(scratch.path()));
    EXPECT_FALSE(pathExists(L""));
    EXPECT_EQ(resolveShortcut(scratch.file(L"f.txt")), scratch.file(L"f.txt"));
    EXPECT_EQ(resolveShortcut(scratch.file(L"broken.LNK")), scratch.file(L"broken.LNK"));

    // A real shortcut, saved through the shell on a thread that has COM, and
    // resolved on this one, which has none.
    const ZString shortcut = scratch.file(L"to f.Lnk");
    std::thread([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IShellLinkW* link = nullptr;
        IPersistFile* file = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                       reinterpret_cast<void**>(&link)))) {
            link->SetPath(scratch.file(L"f.txt").c_str());
            if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
                file->Save(shortcut.c_str(), TRUE);
                file->Release();
            }
            link->Release();
        }
        CoUninitialize();
    }).join();
    ASSERT_TRUE(isFile(shortcut));
    EXPECT_EQ(resolveShortcut(shortcut), scratch.file(L"f.txt"));
    EXPECT_EQ(fullPath(L"C:\\a\\..\\b"), L"C:\\b");
}

TEST(Fixtures, AMissingFixtureFailsTheTestAtOnce)
{
    EXPECT_THROW(sourcePath(L"samples/no such sample.pdf"), std::runtime_error);
    EXPECT_TRUE(isFile(sourcePath(L"samples/sample.pdf")));
}
