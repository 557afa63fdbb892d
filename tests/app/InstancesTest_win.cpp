// The real program under Wine: one instance, the hand-over of a second start,
// and what each command line makes of its files.
#include "tests/app/AppTestSupport_win.h"

#include "app/HandOver.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "suite/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Names = std::vector<ZString>;

// The jobs' copies of their documents in the private folder; the thumbnails
// being rendered there meanwhile do not count.
Names privateCopies(const TestInstallation& installation)
{
    Names files;
    listFolder(installation.privateFolder(), &files, nullptr, kListFiles);
    std::erase_if(files, [](const ZString& file) { return !extensionOf(file).equalsIgnoreCase(ZString(L".pdf")); });
    return files;
}

// The visible box of that title, once it shows.
HWND waitForBox(const wchar_t* title)
{
    HWND box = nullptr;
    waitFor([&] { return (box = FindWindowW(L"#32770", title)) != nullptr; }, 30000);
    return box;
}

// The text of a message box.
ZString boxText(HWND box)
{
    wchar_t text[2048] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 2048);
    return ZString(text);
}

} // namespace

TEST(Instances, ARelativePathFromAnotherFolderReachesTheFirstInstance)
{
    TestInstallation installation;
    ProgramRun first(installation, quote(installation.document(L"first.pdf")));
    HWND window = first.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    installation.document(L"second.pdf");
    // Typed in a shell whose working folder holds the file; the first
    // instance works in another folder.
    ProgramRun second(installation, L"second.pdf", ZString(), installation.docsFolder());
    EXPECT_EQ(second.exitCode(), 0u);
    ASSERT_TRUE(waitUntilIdle(window));
    EXPECT_EQ(jobNames(window), (Names{L"Job 0", L"Job 1"}));
    EXPECT_EQ(privateCopies(installation).size(), 2u);
}

TEST(Instances, StartUpClearsLeftoversAndNamesWhatItCannotOpen)
{
    TestInstallation installation;
    // What a killed run left in the private folder goes at the next start.
    createFolder(installation.privateFolder(), true);
    const ZString leftover = joinPath(installation.privateFolder(), L"1234_5_6.pdf");
    ASSERT_TRUE(writeFileBytes(leftover, "left by a crash"));
    // Without the conversion tool a document that is no PDF cannot become a job.
    ASSERT_TRUE(deleteFile(joinPath(installation.binFolder(), L"tamlo-Vistel.exe"), false));
    const ZString letter = installation.document(L"letter.txt", "plain text");
    ProgramRun run(installation, quote(letter));
    HWND box = waitForBox(L"Error");
    ASSERT_NE(box, nullptr);
    const ZString text = boxText(box);
    EXPECT_NE(text.find(letter), -1) << text.toUtf8();
    EXPECT_NE(text.find(L"conversion tool"), -1) << text.toUtf8();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(pathExists(leftover));
    HWND window = run.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(jobNames(window).empty());
}

TEST(Instances, SecondStartsHandTheirFilesToTheFirstAndEnd)
{
    TestInstallation installation;
    // "-deleteFile" with "-dir" and no other job: the job keeps a private copy,
    // the named file is deleted and the explorer goes to the folder.
    const ZString target = installation.root() + L"\\target";
    createFolder(target, true);
    const ZString printed = installation.document(L"printed.pdf");
    ProgramRun first(installation, L"-deleteFile -dir " + quote(target) + L" " + quote(printed));
    HWND window = first.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(jobNames(window), (Names{L"Job 0"})); // one file without a name: the job list names it
    EXPECT_FALSE(pathExists(printed));
    ASSERT_EQ(privateCopies(installation).size(), 1u);
    EXPECT_EQ(readFileBytes(privateCopies(installation).front()), readFileBytes(sourcePath(L"samples/sample.pdf")));
    // The background program was not running, so the first instance started it (and only it).
    ASSERT_TRUE(installation.waitForCompanionCalls(1));
    EXPECT_EQ(installation.companionCalls().front().first, L"tamlo.exe");

    const auto handOver = [&](const ZString& arguments) {
        ProgramRun run(installation, arguments);
        EXPECT_EQ(run.exitCode(), 0u) << arguments.toUtf8();
    };
    // Two files: each job is named after its file, the registered ".pdf" removed.
    handOver(quote(installation.document(L"first.pdf")) + L" " + quote(installation.document(L"Second Report.pdf")));
    // A name given for several files is not used; a name for one file is; "-name" swallows
    // the next element whatever it looks like; only existing files count.
    handOver(L"-name Ignored " + quote(installation.document(L"third.pdf")) + L" " +
             quote(installation.document(L"fourth.PDF")) + L" " + quote(installation.docsFolder() + L"\\missing.pdf"));
    handOver(L"-unknown -name -deleteFile " + quote(installation.document(L"x.pdf")));
    EXPECT_TRUE(pathExists(installation.docsFolder() + L"\\x.pdf"));
    // "-deleteFiles" with two files: handling the command line deletes none of them.
    const ZString a = installation.document(L"a.pdf"), b = installation.document(L"b.pdf");
    handOver(L"-deleteFiles " + quote(a) + L" " + quote(b));
    EXPECT_TRUE(pathExists(a) && pathExists(b));
    // Files that are neither PDF nor PostScript go to the conversion tool, not to the job list.
    const ZString letter = installation.document(L"letter.docx", "not a pdf");
    handOver(quote(letter));
    ASSERT_TRUE(installation.waitForCompanionCalls(2));
    EXPECT_EQ(installation.companionCalls()[1].first, L"tamlo-Vistel.exe");
    EXPECT_TRUE(installation.companionCalls()[1].second.endsWith(quote(letter)));
    // A temporary one is deleted only after the tool had it.
    const ZString printedLetter = installation.document(L"printed.docx", "not a pdf");
    handOver(L"-deleteFile " + quote(printedLetter));
    ASSERT_TRUE(installation.waitForCompanionCalls(3));
    EXPECT_TRUE(installation.companionCalls()[2].second.endsWith(quote(printedLetter)));
    EXPECT_TRUE(waitFor([&] { return !pathExists(printedLetter); }));

    EXPECT_EQ(jobNames(window),
              (Names{L"Job 0", L"first", L"Second Report", L"third", L"fourth", L"-deleteFile", L"a", L"b"}));
    EXPECT_EQ(shownFolders(window), (Names{target})) << "only a first job moves the explorer";
    EXPECT_EQ(privateCopies(installation).size(), 8u);
    EXPECT_EQ(first.close(), 0u);
    EXPECT_EQ(privateCopies(installation), Names{}); // the jobs' copies went with them
}

TEST(Instances, StartsAtTheSameTimeEndInOneInstanceHoldingAllFiles)
{
    TestInstallation installation;
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (const ZString name : {L"A", L"B", L"C"})
        runs.push_back(std::make_unique<ProgramRun>(
            installation, L"-name " + name + L" " + quote(installation.document((name + L".pdf").c_str()))));
    HWND window = nullptr;
    for (auto& run : runs) {
        HWND own = run->waitForMainWindow();
        EXPECT_TRUE(own == nullptr || window == nullptr) << "two instances run";
        if (own != nullptr)
            window = own;
        else
            EXPECT_EQ(run->exitCode(), 0u);
    }
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntilIdle(window));
    Names names = jobNames(window);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{L"A", L"B", L"C"}));
    // Without "-dir" the explorer follows the first job's folder.
    EXPECT_EQ(shownFolders(window), (Names{installation.docsFolder()}));
}

TEST(Instances, HandOversDuringAModalLoopWaitForTheCurrentCommandLine)
{
    TestInstallation installation;
    // A file that cannot be read makes the first instance show its copy error box,
    // a modal loop that also receives the hand-overs.
    const ZString locked = installation.document(L"locked.pdf");
    HANDLE lock = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ProgramRun first(installation, quote(locked) + L" " + quote(installation.document(L"after.pdf")));
    HWND box = waitForBox(L"File copy error");
    ASSERT_NE(box, nullptr);
    HWND window = findMainWindow();
    ASSERT_NE(window, nullptr);
    for (const auto& [one, two] : {std::pair{L"h1.pdf", L"h2.pdf"}, std::pair{L"h3.pdf", L"h4.pdf"}})
        handOverCommandLine(window, quote(installation.document(one)) + L" " + quote(installation.document(two)));
    EXPECT_TRUE(jobNames(window).empty()); // taken, but queued behind the running command line

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 30000));
    // The repair through the interpreter cannot help here either (none is
    // installed for this test): the user is told that no job could be made.
    HWND error = waitForBox(L"Error");
    ASSERT_NE(error, nullptr);
    PostMessageW(error, WM_COMMAND, IDOK, 0);
    CloseHandle(lock);
    // Sent messages reach the window even in a modal loop, so wait for the jobs themselves.
    ASSERT_TRUE(waitFor([&] { return jobNames(window).size() >= 5; }, 30000));
    EXPECT_EQ(jobNames(window), (Names{L"after", L"h1", L"h2", L"h3", L"h4"}));
}

TEST(Instances, PostScriptBecomesAJobThroughTheInterpreter)
{
    TestInstallation installation;
    settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", quote(besideTests(L"gsbridge.exe")));
    const ZString figure = installation.document(L"figure.EPS", "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 200 100\n"
                                                                 "newpath 10 10 moveto 190 90 lineto stroke showpage\n");
    ProgramRun run(installation, quote(figure));
    HWND window = run.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitFor([&] { return jobNames(window).size() == 1; }, 60000));
    // The interim PDF went once the job had its private copy.
    EXPECT_TRUE(waitFor([&] { return privateCopies(installation).size() == 1; }));
    EXPECT_TRUE(pathExists(figure)) << "the user's file stays";
    EXPECT_EQ(run.close(), 0u);
}

TEST(Instances, StartUpFailureEndsTheProcessWithTheReasonOnStandardError)
{
    TestInstallation installation(false);
    const ZString errors = installation.root() + L"\\stderr.txt";
    ProgramRun run(installation, quote(installation.document(L"a.pdf")), errors);
    EXPECT_EQ(run.exitCode(), 1u);
    EXPECT_EQ(readFileBytes(errors), "USER_SKEY_PROG_USER_DIR not set in config\n");
    EXPECT_EQ(findMainWindow(), nullptr);
}

TEST(Instances, AnotherProgramReadsTheJobListThroughItsAccessibleObjects)
{
    TestInstallation installation;
    ProgramRun first(installation, quote(installation.document(L"Report.pdf")));
    HWND window = first.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    ProgramRun second(installation, quote(installation.document(L"first.pdf")) + L" " +
                                        quote(installation.document(L"Second Report.pdf")));
    EXPECT_EQ(second.exitCode(), 0u);
    ASSERT_TRUE(waitFor([&] { return jobNames(window).size() == 3; }, 30000));
    // The second job window is picked with the mouse, on its header.
    HWND picked = jobWindow(window, 1);
    PostMessageW(picked, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(picked, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_TRUE(waitUntilIdle(window));

    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::vector<AccessibleJob> jobs = accessibleJobs(window);
    CoUninitialize();
    const ZString pages = L" (Pages: 3)";
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].name, L" Job 0" + pages);
    EXPECT_EQ(jobs[1].name, L" first" + pages);
    EXPECT_EQ(jobs[2].name, L" Second Report" + pages);
    for (const AccessibleJob& job : jobs)
        EXPECT_EQ(job.pages, 3);
    EXPECT_FALSE(jobs[0].selected);
    EXPECT_TRUE(jobs[1].selected);
    EXPECT_FALSE(jobs[2].selected);
    EXPECT_EQ(first.close(), 0u);
}
