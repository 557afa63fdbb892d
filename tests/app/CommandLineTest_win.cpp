// The command-line record, job names from file names, and the conversion worker.
#include "tests/app/AppTestSupport_win.h"

#include "app/CommandLine.h"
#include "app/env/Companions.h"
#include "app/env/FileHandlerArgs.h"
#include "app/env/RegisteredNames.h"
#include "app/VistelSequentializer.h"
#include "base/Files.h"
#include "base/TextUtil.h"

#include <gtest/gtest.h>

#include <mutex>

namespace {
using Paths = std::vector<ZString>;
}

TEST(FileHandlerArgs, ParsesOptionsExactlyAndKeepsOnlyExistingPaths)
{
    TestInstallation installation;
    const ZString a = installation.document(L"a b.pdf");
    const ZString folder = installation.docsFolder();
    FileHandlerArgs args;
    args.parse(ZString(L"-dir D1 -name N -profile P -serviceName S -dir D2 -Dir x -unknown ") + quote(a) +
                   L" missing.pdf -deleteFiles " + quote(folder) + L" -name",
               false);
    EXPECT_EQ(args.dir, L"D2"); // a repeated option keeps its last value
    EXPECT_EQ(args.name, L"");  // a value option at the end takes the empty text
    EXPECT_EQ(args.profile, L"P");
    EXPECT_EQ(args.serviceName, L"S");
    EXPECT_TRUE(args.deleteFiles);
    EXPECT_EQ(args.files, (Paths{a, folder}));
    EXPECT_EQ(args.countExistingFiles(), 2);

    // A value option takes the next element even when it looks like an option;
    // skipFirst drops a program name; parse starts from a clean record.
    args.parse(ZString(L"prog.exe -dir -deleteFile ") + quote(a), true);
    EXPECT_EQ(args.dir, L"-deleteFile");
    EXPECT_FALSE(args.deleteFiles);
    EXPECT_TRUE(args.profile.isEmpty());
    EXPECT_EQ(args.files, (Paths{a}));

    args.parse(L"", false);
    EXPECT_TRUE(args.files.empty());
    args.parse(L"-dir", false);
    EXPECT_TRUE(args.dir.isEmpty());
}

TEST(FileHandlerArgs, SerialisesForTheFaxProgramAndParsesBack)
{
    const FileHandlerArgs one(L"C:\\Out\\Folder\\", L"", L"", L"C:\\In\\doc 1.pdf", true);
    EXPECT_EQ(one.toCommandLine(), L"-deleteFile -dir \"C:\\Out\\Folder\" \"C:\\In\\doc 1.pdf\"");

    FileHandlerArgs all(L"", L"My Job", L"Fax Profile", L"C:\\a.pdf", true);
    all.serviceName = L"fax";
    all.files.push_back(L"C:\\b.pdf");
    EXPECT_EQ(all.toCommandLine(),
              L"-deleteFiles -name \"My Job\" -profile \"Fax Profile\" -serviceName \"fax\" \"C:\\a.pdf\" \"C:\\b.pdf\"");
    EXPECT_EQ(FileHandlerArgs().toCommandLine(), L"");

    TestInstallation installation;
    const FileHandlerArgs sent(installation.docsFolder() + L"\\", L"N", L"P", installation.document(L"x y.pdf"), true);
    FileHandlerArgs received;
    received.parse(sent.toCommandLine(), false);
    EXPECT_EQ(received.dir, installation.docsFolder());
    EXPECT_EQ(received.name, L"N");
    EXPECT_EQ(received.profile, L"P");
    EXPECT_EQ(received.files, sent.files);
    EXPECT_TRUE(received.deleteFiles);
}

TEST(FileHandlerArgs, DeletesOnlyTemporaryFilesAndOnlyWhenAsked)
{
    const ZString outside = besideTestProgram(L"not-temporary.pdf"); // outside the temporary folder
    const ZString inside = uniqueTempPath(kTempSubFolder, L"", L".pdf");
    ASSERT_TRUE(writeFileBytes(outside, "x"));
    ASSERT_TRUE(writeFileBytes(inside, "x"));
    FileHandlerArgs args(L"", L"", L"", outside, false);
    args.files.push_back(inside);
    args.deleteTemporaryFiles();
    EXPECT_TRUE(pathExists(inside));
    args.deleteFiles = true;
    args.deleteTemporaryFiles();
    EXPECT_FALSE(pathExists(inside));
    EXPECT_TRUE(pathExists(outside));
    deleteFile(outside, false);
}

TEST(CommandLine, JobNamesDropOnlyRegisteredExtensions)
{
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\Annual Report.pdf"), L"Annual Report");
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\scan.PDF"), L"scan");
    EXPECT_EQ(jobNameForFile(L"C:/Docs/notes.txt/"), L"notes.txt"); // ".txt" is not registered here
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\draft.qq-unregistered"), L"draft.qq-unregistered");
    EXPECT_EQ(jobNameForFile(L"C:\\Docs\\README"), L"README");
    EXPECT_FALSE(isRegisteredExtension(L""));
}

TEST(CommandLine, TheExtensionChoosesTheRoadOfAFile)
{
    EXPECT_EQ(fileKindOf(L"C:\\x\\figure.EPS"), FileKind::PostScript);
    EXPECT_EQ(fileKindOf(L"C:\\x\\print.ps"), FileKind::PostScript);
    EXPECT_EQ(fileKindOf(L"C:\\x\\doc.PDF"), FileKind::Pdf);
    EXPECT_EQ(fileKindOf(L"C:\\x\\letter.docx"), FileKind::Other);
    EXPECT_EQ(fileKindOf(L"C:\\x.pdf\\noext"), FileKind::Other);
}

namespace {
// Records what the worker would run, and signals each one.
class RecordingSequentializer : public VistelSequentializer {
public:
    RecordingSequentializer() : m_done(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~RecordingSequentializer() override { CloseHandle(m_done); }

    std::vector<ZString> commandLines()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_commandLines;
    }
    bool waitForOne() { return WaitForSingleObject(m_done, 30000) == WAIT_OBJECT_0; }

protected:
    void convert(const ZString& commandLine) override
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_commandLines.push_back(commandLine);
        }
        SetEvent(m_done);
    }

private:
    std::mutex m_lock;
    std::vector<ZString> m_commandLines;
    HANDLE m_done;
};
} // namespace

TEST(VistelSequentializer, RunsTheConversionToolOnEachExistingFileInOrder)
{
    TestInstallation installation;
    RecordingSequentializer worker;
    const ZString tool = quote(companionPath(kConversionTool));
    std::vector<ZString> files;
    for (int i = 0; i < 20; ++i)
        files.push_back(installation.document(ZString::format(L"f%d.docx", i).c_str(), "x"));

    // Each push after the worker found its queue empty must wake it.
    ASSERT_TRUE(worker.start());
    for (int i = 0; i < 5; ++i) {
        worker.push(files[i]);
        ASSERT_TRUE(worker.waitForOne());
    }
    // A burst, with a path that no longer exists in the middle.
    worker.push(installation.docsFolder() + L"\\gone.docx");
    for (int i = 5; i < 20; ++i)
        worker.push(files[i]);
    while (worker.commandLines().size() < 20u)
        ASSERT_TRUE(worker.waitForOne());
    const std::vector<ZString> lines = worker.commandLines();
    ASSERT_EQ(lines.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(lines[i], tool + L" " + quote(files[i]));
}
