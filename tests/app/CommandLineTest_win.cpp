// The command-line record, job names from file names, and the conversion worker.
#include "tests/app/AppTestSupport_win.h"

#include "app/CommandLine.h"
#include "env/Companions.h"
#include "env/FileHandlerArgs.h"
#include "env/RegisteredNames.h"
#include "app/VistelSequentializer.h"
#include "base/Files.h"
#include "base/TextUtil.h"

#include <gtest/gtest.h>

namespace {
using Paths = std::vector<ZString>;
}

TEST(FileHandlerArgs, ParsesOptionsExactlyAndKeepsOnlyExistingPaths)
{
    TestInstallation installation;
    const ZString a = installation.document(L"a b.pdf");
    const ZString folder = installation.docsFolder();
    FileHandlerArgs args;
    args.parse(L"-dir D1 -name N -profile P -serviceName S -dir D2 -Dir x -unknown " + quote(a) +
                   L" missing.pdf -deleteFiles " + quote(folder) + L" -name",
               false);
    EXPECT_EQ(args.dir, L"D2"); // a repeated option keeps its last value
    EXPECT_EQ(args.name, L"");  // a value option at the end takes the empty text
    EXPECT_TRUE(args.profile == L"P" && args.serviceName == L"S" && args.deleteFiles);
    EXPECT_EQ(args.files, (Paths{a, folder}));
    EXPECT_EQ(args.countExistingFiles(), 2);

    // A value option takes the next element even when it looks like an option;
    // skipFirst drops a program name; parse starts from a clean record.
    args.parse(L"prog.exe -dir -deleteFile " + quote(a), true);
    EXPECT_EQ(args.dir, L"-deleteFile");
    EXPECT_TRUE(!args.deleteFiles && args.profile.isEmpty());
    EXPECT_EQ(args.files, (Paths{a}));
    args.parse(L"-dir", false);
    EXPECT_TRUE(args.dir.isEmpty() && args.files.empty());
}

TEST(FileHandlerArgs, SerialisesForTheFaxProgram)
{
    const FileHandlerArgs one(L"C:\\Out\\Folder\\", L"", L"", L"C:\\In\\doc 1.pdf", true);
    EXPECT_EQ(one.toCommandLine(), L"-deleteFile -dir \"C:\\Out\\Folder\" \"C:\\In\\doc 1.pdf\"");
    FileHandlerArgs all(L"", L"My Job", L"Fax Profile", L"C:\\a.pdf", true);
    all.serviceName = L"fax";
    all.files.push_back(L"C:\\b.pdf");
    EXPECT_EQ(
        all.toCommandLine(),
        L"-deleteFiles -name \"My Job\" -profile \"Fax Profile\" -serviceName \"fax\" \"C:\\a.pdf\" \"C:\\b.pdf\"");
    EXPECT_EQ(FileHandlerArgs().toCommandLine(), L"");
}

TEST(FileHandlerArgs, DeletesOnlyTemporaryFilesAndOnlyWhenAsked)
{
    const ZString outside = besideTests(L"not-temporary.pdf"); // outside the temporary folder
    const ZString inside = makeTempFileName(kTempSubFolder, L"", L".pdf");
    ASSERT_TRUE(writeFileBytes(outside, "x") && writeFileBytes(inside, "x"));
    FileHandlerArgs args(L"", L"", L"", outside, false);
    args.files.push_back(inside);
    args.deleteTemporaryFiles();
    EXPECT_TRUE(pathExists(inside));
    args.deleteFiles = true;
    args.deleteTemporaryFiles();
    EXPECT_FALSE(pathExists(inside));
    EXPECT_TRUE(deleteFile(outside, false));
}

TEST(CommandLine, TheExtensionNamesTheJobAndChoosesTheRoadOfAFile)
{
    // Only registered extensions are dropped (".txt" is not registered here).
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\Annual Report.pdf"), L"Annual Report");
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\scan.PDF"), L"scan");
    EXPECT_EQ(jobNameForFile(L"C:/Docs/notes.txt/"), L"notes.txt");
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\README"), L"README");
    EXPECT_FALSE(isRegisteredExtension(L""));

    EXPECT_EQ(fileKindOf(L"C:\\x\\figure.EPS"), FileKind::PostScript);
    EXPECT_EQ(fileKindOf(L"C:\\x\\print.ps"), FileKind::PostScript);
    EXPECT_EQ(fileKindOf(L"C:\\x\\doc.PDF"), FileKind::Pdf);
    EXPECT_EQ(fileKindOf(L"C:\\x\\letter.docx"), FileKind::Other);
    EXPECT_EQ(fileKindOf(L"C:\\x.pdf\\noext"), FileKind::Other);
}

TEST(VistelSequentializer, RunsTheConversionToolOnEachExistingFileInOrder)
{
    TestInstallation installation;
    VistelSequentializer worker;
    ASSERT_TRUE(worker.start());
    std::vector<std::pair<ZString, ZString>> expected;
    for (int i = 0; i < 20; ++i) {
        const ZString file = installation.document(ZString::format(L"f%d.docx", i).c_str(), "x");
        expected.emplace_back(kConversionTool, quote(companionPath(kConversionTool)) + L" " + quote(file));
        if (i == 5) // from here on a burst, with a path that no longer exists in the middle
            worker.push(installation.docsFolder() + L"\\gone.docx");
        worker.push(file);
        // Each push after the worker found its queue empty must wake it.
        if (i < 5) {
            ASSERT_TRUE(installation.waitForCompanionCalls(expected.size()));
        }
    }
    ASSERT_TRUE(installation.waitForCompanionCalls(20));
    EXPECT_EQ(installation.companionCalls(), expected);
}
