// Jobs made from real files, changed, and composed with the real interpreter.
#include "env/FileHandlerArgs.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "gui/Messages.h"
#include "jobs/Compose.h"
#include "jobs/JobStore.h"
#include "jobs/SaveJobs.h"
#include "operations/ChildProcess.h"
#include "operations/Ghostscript.h"
#include "operations/PdfSource.h"
#include "operations/TextExtraction.h"
#include "suite/settings/SettingsStore.h"
#include "tests/operations/OperationsTestSupport.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

namespace {

// PostScript for pages that each show one word in large letters.
std::string pagesShowing(const std::vector<std::string>& words)
{
    std::string ps = "%!PS\n<< /PageSize [595 842] >> setpagedevice\n/Helvetica findfont 48 scalefont setfont\n";
    for (const std::string& word : words)
        ps += "72 600 moveto (" + word + ") show showpage\n";
    return ps;
}

class Composing : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
        setMessageAnswerer([this](const ZString& text, const ZString&, unsigned) {
            m_messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        setMessageAnswerer({});
        InterpreterTest::TearDown();
    }

    // A PDF made by the interpreter from pages showing the words.
    ZString makePdf(const wchar_t* name, const std::vector<std::string>& words)
    {
        const ZString ps = m_scratch.file(name) + L".ps";
        const ZString pdf = m_scratch.file(name) + L".pdf";
        writeFileBytes(ps, pagesShowing(words));
        runGhostscript(L"-sDEVICE=pdfwrite -dAutoRotatePages=/None " + quote(L"-sOutputFile=" + pdf) + L" " + quote(ps),
                       nullptr);
        return pdf;
    }

    // The page's "Rotate", or nothing as -1000.
    static int rotateOf(zpdf::Document& document, int index)
    {
        const auto page = document.getPage(index);
        const auto rotate = page ? page->dict()->getNumber(zpdf::kRotate) : nullptr;
        return rotate ? rotate->intValue() : -1000;
    }

    // The words of the file's text, in order.
    std::string textOf(const ZString& pdf)
    {
        const ZString text = m_scratch.file(L"text.txt");
        pdfToText(pdf, text, nullptr);
        return readFileBytes(text);
    }

    // How many files the program keeps in its temporary folder.
    static size_t ourTempFileCount()
    {
        std::vector<ZString> files;
        listFolder(joinPath(tempFolder(), kTempSubFolder), &files, nullptr, kListFiles);
        return files.size();
    }

    std::vector<ZString> m_messages;
};

// Positions of the words in the text; npos when missing.
std::vector<size_t> positions(const std::string& text, const std::vector<std::string>& words)
{
    std::vector<size_t> at;
    for (const std::string& word : words)
        at.push_back(text.find(word));
    return at;
}

} // namespace

TEST_F(Composing, RearrangedRotatedJobWithABlankPageComesOutAsTheUserSeesIt)
{
    const ZString alpha = makePdf(L"alpha", {"ALPHAONE", "ALPHATWO", "ALPHATHREE"});
    const ZString beta = makePdf(L"beta", {"BETAONE", "BETATWO"});
    {
        // The second page of alpha is stored turned by 270 degrees.
        zpdf::Document document(alpha);
        document.getPage(1)->rotate(270, true);
        ASSERT_TRUE(document.save(alpha + L".rotated.pdf"));
    }
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"work", alpha + L".rotated.pdf", reason);
    Job* other = store.createJobFromFile(L"other", beta, reason);
    ASSERT_NE(job, nullptr) << reason.toUtf8();
    ASSERT_NE(other, nullptr) << reason.toUtf8();

    job->insertPagesFrom(other, 3, {2, 1});  // A1 A2 A3 B2 B1
    job->movePages(0, {3});                  // A3 A1 A2 B2 B1
    job->deletePages({2});                   // A3 A2 B2 B1
    job->rotate(90, {2});                    // A2: 270 + 90 = 0
    job->rotate(-90, {4});                   // B1: no Rotate of its own: -90
    ASSERT_TRUE(insertBlankPage(*job, 0));   // blank A3 A2 B2 B1
    store.removeJob(other);                  // its documents stay while the job uses them
    ASSERT_EQ(store.documentCount(), 3);

    const ZString target = m_scratch.file(L"out.pdf");
    EXPECT_FALSE(saveJobWithFormat(*job, L"bmp", target, {})); // composed, but no such format
    EXPECT_TRUE(job->isUnsaved());
    ASSERT_TRUE(saveJobWithFormat(*job, L"pdf", target, {{L"pdfMode", L"copy"}}));
    EXPECT_FALSE(job->isUnsaved());
    EXPECT_TRUE(m_messages.empty());

    zpdf::Document out(target);
    ASSERT_EQ(out.getPageCount(), 5);
    EXPECT_EQ(pdfPageCount(target), 5);
    const auto box = out.getPage(0)->getMediaBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->right() - box->left(), 595);
    EXPECT_EQ(box->top() - box->bottom(), 842);
    // Turned pages: the source page's own 270 and the job's 90 make it upright
    // again. (The interpreter may carry a source's "Rotate" over into the page
    // itself, as a turned media box; then our 90 completes the turn.)
    const auto turned = out.getPage(2)->getMediaBox();
    const bool carriedOver = turned->right() - turned->left() > turned->top() - turned->bottom();
    EXPECT_EQ(rotateOf(out, 2), carriedOver ? 90 : 0);
    EXPECT_EQ(rotateOf(out, 4), -90); // a page without "Rotate" gets the job's rotation
    for (int index : {1, 3})
        EXPECT_TRUE(rotateOf(out, index) == -1000 || rotateOf(out, index) == 0) << index;

    const std::string text = textOf(target);
    const auto at = positions(text, {"ALPHATHREE", "ALPHATWO", "BETATWO", "BETAONE"});
    for (size_t p : at)
        ASSERT_NE(p, std::string::npos) << text;
    EXPECT_LT(at[0], at[1]);
    EXPECT_LT(at[1], at[2]);
    EXPECT_LT(at[2], at[3]);
    EXPECT_EQ(text.find("ALPHAONE"), std::string::npos);
}

TEST_F(Composing, AnUnchangedJobIsSavedAsAByteCopyWithoutTheInterpreter)
{
    const ZString source = sourcePath(L"samples/sample.pdf");
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"sample", source, reason);
    ASSERT_NE(job, nullptr);
    useRecorder(); // any interpreter run would be recorded
    const ZString target = m_scratch.file(L"copy.pdf");
    ASSERT_TRUE(saveJob(*job, target, nullptr));
    EXPECT_EQ(readFileBytes(target), readFileBytes(source));
    EXPECT_TRUE(recordedCommandLines().empty());
}

TEST_F(Composing, SavingSeveralJobsNeverOverwritesAFile)
{
    const ZString source = sourcePath(L"samples/sample.pdf");
    JobStore store;
    ZString reason;
    std::vector<Job*> jobs;
    for (const wchar_t* name : {L"report", L"notes", L"empty"})
        jobs.push_back(store.createJobFromFile(name, source, reason));
    jobs[2]->deletePages({1, 2, 3});
    const ZString folder = m_scratch.file(L"out");
    createFolder(folder, false);
    writeFileBytes(joinPath(folder, L"report.pdf"), "keep me");

    ASSERT_TRUE(saveJobsInto(jobs, folder, L"pdf", {{L"pdfMode", L"copy"}}));
    EXPECT_EQ(readFileBytes(joinPath(folder, L"report.pdf")), "keep me");
    EXPECT_EQ(readFileBytes(joinPath(folder, L"report (1).pdf")), readFileBytes(source));
    EXPECT_TRUE(isFile(joinPath(folder, L"notes.pdf")));
    EXPECT_FALSE(pathExists(joinPath(folder, L"empty.pdf")));

    // One image per page: the numbered page files of an existing name, and
    // those of an earlier job of the same name, are passed over as a whole.
    writeFileBytes(joinPath(folder, L"report-1.png"), "keep me");
    ASSERT_TRUE(saveJobsInto({jobs[0], jobs[0]}, folder, L"png", {{L"resolution", L"10"}}));
    EXPECT_EQ(readFileBytes(joinPath(folder, L"report-1.png")), "keep me");
    EXPECT_FALSE(pathExists(joinPath(folder, L"report-2.png")));
    for (const wchar_t* stem : {L"report (1)", L"report (2)"})
        for (int page = 1; page <= 3; ++page)
            EXPECT_EQ(readFileBytes(joinPath(folder, ZString::format(L"%ls-%d.png", stem, page))).substr(1, 3), "PNG")
                << page;
}

TEST_F(Composing, ACancelledComposeLeavesNoTargetAndNoTemporaryFiles)
{
    const ZString source = sourcePath(L"samples/sample.pdf");
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"slow", source, reason);
    ASSERT_NE(job, nullptr);
    job->movePages(0, {3}); // changed: the interpreter has to compose it

    const size_t before = ourTempFileCount(); // the job's private copy among them

    settingsStore_setDword(SettingsScope::Program, L"ComposeWithInterpreter", 1);
    useRecorder();
    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", L"3000");
    const ZString target = m_scratch.file(L"never.pdf");
    AssembleOperation operation(*job, target);
    std::thread worker([&] { operation.run(); });
    ASSERT_TRUE(waitFor([&] { return !recordedCommandLines().empty(); }));
    operation.cancel();
    worker.join();

    EXPECT_FALSE(pathExists(target));
    EXPECT_EQ(recordedCommandLines().size(), 1u); // no further range or merge after the cancel
    EXPECT_TRUE(job->isUnsaved());
    EXPECT_EQ(ourTempFileCount(), before);
}

TEST_F(Composing, TextExportFollowsTheJobsOrder)
{
    const ZString pdf = makePdf(L"words", {"FIRSTWORD", "SECONDWORD"});
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"words", pdf, reason);
    ASSERT_NE(job, nullptr);
    job->movePages(0, {2});
    const ZString text = m_scratch.file(L"words.txt");
    ASSERT_TRUE(exportJobText(*job, text, nullptr));
    const std::string words = readFileBytes(text);
    ASSERT_NE(words.find("FIRSTWORD"), std::string::npos) << words;
    EXPECT_LT(words.find("SECONDWORD"), words.find("FIRSTWORD"));
}

TEST_F(Composing, FaxingHandsTheComposedFileToTheFaxProgram)
{
    // The fax program is a stand-in that logs its command line beside itself.
    const ZString bin = m_scratch.file(L"bin");
    createFolder(bin, false);
    settingsStore_setStr(SettingsScope::Program, L"BinDir", bin);
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"fax me", sourcePath(L"samples/sample.pdf"), reason);
    ASSERT_NE(job, nullptr);

    // No fax program yet: the composed file does not stay behind.
    const size_t before = ourTempFileCount();
    EXPECT_FALSE(faxJob(*job));
    EXPECT_EQ(ourTempFileCount(), before);

    ASSERT_TRUE(copyFile(besideTests(L"companion-standin.exe"), joinPath(bin, L"tamlo-Faxer.exe")));
    ASSERT_TRUE(faxJob(*job));
    const ZString log = joinPath(bin, L"calls.log");
    ASSERT_TRUE(waitFor([&] { return !readFileBytes(log).empty(); }));
    // "tamlo-Faxer.exe<tab><its command line>"
    const std::string call = readFileBytes(log);
    const ZString commandLine = utf8DecodeLenient(call.data(), call.size()).substring(call.find('\t') + 1).trim();
    FileHandlerArgs args;
    args.parse(commandLine, true);
    EXPECT_NE(commandLine.find(L"-deleteFile -name \"fax me\" \""), -1) << call;
    EXPECT_EQ(args.name, L"fax me");
    EXPECT_TRUE(args.deleteFiles);
    ASSERT_EQ(args.files.size(), 1u) << call;
    EXPECT_EQ(pdfPageCount(args.files.front()), 3); // the fax program owns the file now
}

TEST_F(Composing, OurLibraryCopiesTheJobsPagesWithTheirRotationsAndNoInterpreter)
{
    const ZString alpha = makePdf(L"alpha", {"ALPHAONE", "ALPHATWO", "ALPHATHREE"});
    const ZString beta = makePdf(L"beta", {"BETAONE", "BETATWO"});
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"mixed", alpha, reason);
    Job* other = store.createJobFromFile(L"beta", beta, reason);
    Job* sample = store.createJobFromFile(L"sample", sourcePath(L"samples/sample.pdf"), reason);
    ASSERT_TRUE(job && other && sample) << reason.toUtf8();
    job->insertPagesFrom(other, 3, {1});  // A1 A2 A3 B1
    job->insertPagesFrom(sample, 4, {3}); // A1 A2 A3 B1 S3
    job->deletePages({1, 3});             // A2 B1 S3
    Job twice(L"twice");
    twice.setInitialPages({job->pages().front()});
    job->insertPagesFrom(&twice, 3, {1}); // A2 B1 S3 A2: one page of one file, twice
    job->rotate(90, {1});
    job->rotate(180, {3});
    const size_t before = ourTempFileCount();

    useRecorder(); // any interpreter run would be recorded
    const ZString target = m_scratch.file(L"out.pdf");
    ASSERT_TRUE(saveJob(*job, target, nullptr));
    EXPECT_TRUE(recordedCommandLines().empty());
    EXPECT_FALSE(job->isUnsaved());
    EXPECT_EQ(ourTempFileCount(), before);

    zpdf::Document out(target);
    ASSERT_EQ(out.getPageCount(), 4);
    EXPECT_EQ(rotateOf(out, 0), 90);
    EXPECT_EQ(rotateOf(out, 2), 180);
    for (int index : {1, 3})
        EXPECT_TRUE(rotateOf(out, index) == -1000 || rotateOf(out, index) == 0) << index;
    zpdf::DocumentInfo info;
    out.readInfo(info);
    EXPECT_EQ(info.producer.find(L"Ghostscript"), -1) << info.producer.toUtf8();

    const std::string text = textOf(target);
    const auto at = positions(text, {"ALPHATWO", "BETAONE", "page 3"});
    for (size_t p : at)
        ASSERT_NE(p, std::string::npos) << text;
    EXPECT_LT(at[0], at[1]);
    EXPECT_LT(at[1], at[2]);
    EXPECT_GT(text.rfind("ALPHATWO"), at[2]) << text;
    EXPECT_EQ(text.find("ALPHAONE"), std::string::npos);
}

TEST_F(Composing, ASourceOurLibraryCannotCopyGoesThroughTheInterpreter)
{
    // An encrypted file (empty user password): the interpreter reads it, our
    // library does not copy it.
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"locked", sourcePath(L"tests/jobs/data/locked-sample.pdf"), reason);
    ASSERT_NE(job, nullptr) << reason.toUtf8();
    job->movePages(0, {3}); // S3 S1 S2
    job->rotate(90, {1});
    const ZString target = m_scratch.file(L"out.pdf");
    ASSERT_TRUE(saveJob(*job, target, nullptr));

    zpdf::Document out(target);
    zpdf::DocumentInfo info;
    out.readInfo(info);
    EXPECT_NE(info.producer.find(L"Ghostscript"), -1) << info.producer.toUtf8();
    ASSERT_EQ(out.getPageCount(), 3);
    EXPECT_EQ(rotateOf(out, 0), 90);
    const auto at = positions(textOf(target), {"page 3", "page 1", "page 2"});
    EXPECT_LT(at[0], at[1]);
    EXPECT_LT(at[1], at[2]);
    EXPECT_NE(at[2], std::string::npos);
}

TEST_F(Composing, TheInstallationCanAskForTheInterpreter)
{
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"sample", sourcePath(L"samples/sample.pdf"), reason);
    ASSERT_NE(job, nullptr);
    job->movePages(0, {3});
    useRecorder();
    ASSERT_TRUE(saveJob(*job, m_scratch.file(L"direct.pdf"), nullptr));
    EXPECT_TRUE(recordedCommandLines().empty());
    EXPECT_EQ(pdfPageCount(m_scratch.file(L"direct.pdf")), 3);

    // The stand-in writes no files: the composed file's page check refuses
    // the save, after the interpreter path ran.
    settingsStore_setDword(SettingsScope::Program, L"ComposeWithInterpreter", 1);
    EXPECT_FALSE(saveJob(*job, m_scratch.file(L"interpreter.pdf"), nullptr));
    const std::vector<ZString> runs = recordedCommandLines();
    ASSERT_EQ(runs.size(), 3u); // two ranges and their merge
    EXPECT_NE(runs.back().find(L"-f"), -1);
}

TEST_F(Composing, ACancelBetweenPagesLeavesNothingBehind)
{
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"sample", sourcePath(L"samples/sample.pdf"), reason);
    ASSERT_NE(job, nullptr);
    job->movePages(0, {3});
    job->rotate(90, {2});
    const size_t before = ourTempFileCount();
    useRecorder();
    AbortControl control;
    control.abort();
    const ZString target = m_scratch.file(L"never.pdf");
    compose(*job, target, &control);
    EXPECT_FALSE(pathExists(target));
    EXPECT_TRUE(recordedCommandLines().empty()); // no fallback to the interpreter
    EXPECT_TRUE(job->isUnsaved());
    EXPECT_EQ(ourTempFileCount(), before);
}
