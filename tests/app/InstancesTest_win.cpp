// The real program under Wine: one instance, the hand-over of a second start,
// and what each command line makes of its files.
#include "tests/app/AppTestSupport_win.h"

#include "app/HandOver.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<ZString>;

ZString quoted(const ZString& path) { return quote(path); }

std::vector<ZString> privateCopies(const TestInstallation& installation)
{
    std::vector<ZString> files;
    listFolder(installation.privateFolder(), &files, nullptr, kListFiles);
    return files;
}

DWORD exitCodeOf(ProgramRun& run)
{
    DWORD code = 0xDEAD;
    EXPECT_TRUE(run.waitForExit(code));
    return code;
}

} // namespace

TEST(Instances, SecondStartsHandTheirFilesToTheFirstAndEnd)
{
    TestInstallation installation;
    ProgramRun first(installation, ZString());
    HWND window = first.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(jobNames(window).empty());
    // The background program was not running, so the first instance started it (and only it).
    ASSERT_TRUE(installation.waitForCompanionCalls(1));
    EXPECT_EQ(installation.companionCalls().front().first, L"tamlo.exe");

    // Two files: each job is named after its file, the registered ".pdf" removed.
    ProgramRun second(installation, quoted(installation.document(L"first.pdf")) + L" " +
                                        quoted(installation.document(L"Second Report.pdf")));
    EXPECT_EQ(exitCodeOf(second), 0u);
    EXPECT_EQ(jobNames(window), (Names{L"first", L"Second Report"}));

    // A name given for several files is not used; a name for one file is; "-name" swallows
    // the next element whatever it looks like; only existing files count.
    ProgramRun third(installation, ZString(L"-name Ignored ") + quoted(installation.document(L"third.pdf")) + L" " +
                                       quoted(installation.document(L"fourth.PDF")) + L" " +
                                       quoted(installation.docsFolder() + L"\\missing.pdf"));
    EXPECT_EQ(exitCodeOf(third), 0u);
    ProgramRun fourth(installation, ZString(L"-unknown -name -deleteFile ") + quoted(installation.document(L"x.pdf")));
    EXPECT_EQ(exitCodeOf(fourth), 0u);
    EXPECT_EQ(jobNames(window), (Names{L"first", L"Second Report", L"third", L"fourth", L"-deleteFile"}));
    EXPECT_TRUE(pathExists(installation.docsFolder() + L"\\x.pdf"));

    // Files that are neither PDF nor PostScript go to the conversion tool, not to the job list.
    const ZString letter = installation.document(L"letter.docx", "not a pdf");
    ProgramRun fifth(installation, quoted(letter));
    EXPECT_EQ(exitCodeOf(fifth), 0u);
    EXPECT_EQ(jobNames(window).size(), 5u);
    ASSERT_TRUE(installation.waitForCompanionCalls(2));
    EXPECT_EQ(installation.companionCalls()[1].first, L"tamlo-Vistel.exe");
    EXPECT_TRUE(installation.companionCalls()[1].second.endsWith(quoted(letter)));

    // The explorer followed the first job's folder, and only that one.
    EXPECT_EQ(shownFolders(window), (Names{installation.docsFolder()}));
    EXPECT_EQ(privateCopies(installation).size(), 5u);

    DWORD code = 0xDEAD;
    ASSERT_TRUE(first.close(code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(privateCopies(installation), Names{}); // the jobs' copies went with them
}

TEST(Instances, StartsAtTheSameTimeEndInOneInstanceHoldingAllFiles)
{
    TestInstallation installation;
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (const wchar_t* name : {L"A", L"B", L"C"})
        runs.push_back(std::make_unique<ProgramRun>(
            installation, ZString(L"-name ") + name + L" " + quoted(installation.document((ZString(name) + L".pdf").c_str()))));

    ProgramRun* survivor = nullptr;
    for (auto& run : runs) {
        HWND window = run->waitForMainWindow();
        if (window != nullptr) {
            EXPECT_EQ(survivor, nullptr) << "two instances run";
            survivor = run.get();
        }
    }
    ASSERT_NE(survivor, nullptr);
    for (auto& run : runs) {
        if (run.get() != survivor) {
            EXPECT_EQ(exitCodeOf(*run), 0u);
        }
    }
    HWND window = survivor->waitForMainWindow();
    Names names = jobNames(window);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{L"A", L"B", L"C"}));
}

TEST(Instances, DeleteFileKeepsThePrivateCopyDeletesTheFileAndShowsTheDir)
{
    TestInstallation installation;
    const ZString target = installation.root() + L"\\target";
    createFolder(target, true);
    const ZString printed = installation.document(L"printed.pdf");
    ProgramRun first(installation,
                     ZString(L"-deleteFile -dir ") + quoted(target) + L" " + quoted(printed));
    HWND window = first.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(jobNames(window), (Names{L"Job 0"})); // one file without a name: the job list names it
    EXPECT_FALSE(pathExists(printed));
    const std::vector<ZString> copies = privateCopies(installation);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(readFileBytes(copies.front()), samplePdf());
    EXPECT_EQ(shownFolders(window), (Names{target}));

    // "-deleteFiles" with two files: handling the command line deletes none of them.
    const ZString a = installation.document(L"a.pdf");
    const ZString b = installation.document(L"b.pdf");
    ProgramRun second(installation, ZString(L"-deleteFiles ") + quoted(a) + L" " + quoted(b));
    EXPECT_EQ(exitCodeOf(second), 0u);
    EXPECT_TRUE(pathExists(a));
    EXPECT_TRUE(pathExists(b));
    EXPECT_EQ(jobNames(window), (Names{L"Job 0", L"a", L"b"}));
    EXPECT_EQ(shownFolders(window).size(), 1u);
}

TEST(Instances, HandOversDuringAModalLoopWaitForTheCurrentCommandLine)
{
    TestInstallation installation;
    // A file that cannot be read makes the first instance show its copy error box,
    // a modal loop that also receives the hand-overs.
    const ZString locked = installation.document(L"locked.pdf");
    HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ProgramRun first(installation, quoted(locked) + L" " + quoted(installation.document(L"after.pdf")));
    HWND box = nullptr;
    for (int i = 0; i < 1500 && box == nullptr && !first.hasEnded(); ++i) {
        box = FindWindowW(L"#32770", L"File copy error");
        if (box == nullptr)
            Sleep(20);
    }
    ASSERT_NE(box, nullptr);
    HWND window = findMainWindow();
    ASSERT_NE(window, nullptr);

    handOverCommandLine(window, quoted(installation.document(L"h1.pdf")) + L" " +
                                    quoted(installation.document(L"h2.pdf")));
    handOverCommandLine(window, quoted(installation.document(L"h3.pdf")) + L" " +
                                    quoted(installation.document(L"h4.pdf")));
    EXPECT_TRUE(jobNames(window).empty()); // taken, but queued behind the running command line

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 1500 && IsWindow(box); ++i)
        Sleep(20);
    // The repair through the interpreter cannot help here either (none is
    // installed for this test): the user is told that no job could be made.
    HWND error = nullptr;
    for (int i = 0; i < 1500 && error == nullptr; ++i) {
        error = FindWindowW(L"#32770", L"Error");
        if (error == nullptr)
            Sleep(20);
    }
    ASSERT_NE(error, nullptr);
    PostMessageW(error, WM_COMMAND, IDOK, 0);
    CloseHandle(lock);
    ASSERT_TRUE(waitUntilIdle(window));
    EXPECT_EQ(jobNames(window), (Names{L"after", L"h1", L"h2", L"h3", L"h4"}));
}

TEST(Instances, StartUpFailureEndsTheProcessWithTheReasonOnStandardError)
{
    TestInstallation installation(false);
    const ZString errors = installation.root() + L"\\stderr.txt";
    ProgramRun run(installation, quoted(installation.document(L"a.pdf")), errors);
    EXPECT_EQ(exitCodeOf(run), 1u);
    EXPECT_EQ(readFileBytes(errors), "USER_SKEY_PROG_USER_DIR not set in config\n");
    EXPECT_EQ(findMainWindow(), nullptr);
}
