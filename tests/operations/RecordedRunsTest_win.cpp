// What the program runs, as the recording stand-in receives it: child
// processes, operations and their cancel, and every argument text passed to
// the interpreter, byte for byte.
#include "tests/operations/OperationsTestSupport.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"
#include "operations/CommandOperation.h"
#include "operations/ConversionOperations.h"
#include "operations/Ghostscript.h"
#include "operations/InterpreterCheck.h"
#include "base/MessageBox.h"

#include <windows.h>

#include <thread>

namespace {

const wchar_t* const kPrepress =
    L" -dPDFSETTINGS=/prepress -dEmbedAllFonts=true -dSubsetFonts=true -dDoThumbnails=false"
    L" -dPreserveAnnots=true -dDownsampleMonoImages=false -dDownsampleGrayImages=false"
    L" -dDownsampleColorImages=false -dAutoFilterColorImages=true -dAutoFilterGrayImages=true"
    L" -dAutoFilterMonoImages=true -dEncodeColorImages=true -dEncodeGrayImages=true -dEncodeMonoImages=true"
    L" -dAntiAliasColorImage=false -dAntiAliasGrayImage=false -dAntiAliasMonoImage=false"
    L" -dConvertCMYKImagesToRGB=false -dConvertImagesToIndexed=false -dUCRandBGInfo=/Preserve"
    L" -dPreserveHalftoneInfo=true -dPreserveOPIComments=true -dPreserveOverprintSettings=true"
    L" -dColorConversionStrategy=/LeaveColorUnchanged -dAutoRotatePages=/None";

const wchar_t* const kDistiller =
    L" -c \" << /ColorImageDict <</QFactor 0.05 /Blend 1 /HSample [1 1 1 1] /VSample [1 1 1 1]>> >> setdistillerparams"
    L" << /GrayImageDict <</QFactor 0.05 /Blend 1 /HSample [1 1 1 1] /VSample [1 1 1 1]>> >> setdistillerparams"
    L" << /ParseDSCComments true >> setdistillerparams\"";

class RecordedRuns : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useRecorder();
    }

    // The one command line recorded since the last call.
    ZString takeRecorded()
    {
        const std::vector<ZString> lines = recordedCommandLines();
        deleteFile(m_log, false);
        return lines.size() == 1 ? lines.front() : ZString::format(L"<%d runs>", static_cast<int>(lines.size()));
    }
    static ZString expected(const ZString& arguments)
    {
        return recorderPrefix() + L" -dSAFER -dNOPAUSE -dBATCH " + arguments;
    }
    // The stand-in asked to create m_out.
    ZString command() const { return recorderPrefix() + L" \"-sOutputFile=" + m_out + L"\""; }

    const ZString m_in = m_scratch.file(L"in put \x00E4.pdf");
    const ZString m_out = m_scratch.file(L"out put \x00FC.pdf");
    StdoutCapture m_quiet;
};

struct RecordingContext : OperationContext {
    void setMessage(const ZString& text) override { messages.push_back(text); }
    void setExpectedDuration(int32_t duration) override { durations.push_back(duration); }
    void setProgress(int32_t) override {}
    std::vector<ZString> messages;
    std::vector<int32_t> durations;
};

} // namespace

TEST_F(RecordedRuns, TheChildsOutputFollowsTheBannerAndTheResultIsItsExitCodeOrStartError)
{
    StdoutCapture capture;
    CommandOperation().run();
    EXPECT_EQ(capture.text(), "") << "an empty command line starts nothing";
    SetEnvironmentVariableW(L"GSRECORDER_EXIT", L"42");
    EXPECT_EQ(runAndWait(command()), 42u);
    ASSERT_TRUE(deleteFile(m_out, false));

    // Without an interpreter setting the command line begins with a blank and
    // cannot start; the user is told once that the interpreter is missing.
    useInterpreter(ZString());
    int boxes = 0;
    setMessageAnswerer([&boxes](const ZString&, const ZString&, unsigned) { return ++boxes, IDOK; });
    resetInterpreterReport();
    runGhostscript(L"-sDEVICE=pdfwrite \"-sOutputFile=" + m_out + L"\"", nullptr);
    setMessageAnswerer({});
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(pathExists(m_out));
    EXPECT_EQ(capture.text(), "================\r\n" + command().toUtf8() + "\r\n----------------\r\ngsrecorder " +
                                  m_out.toUtf8() + "\r\n================\r\n -dSAFER -dNOPAUSE -dBATCH" +
                                  " -sDEVICE=pdfwrite \"-sOutputFile=" + m_out.toUtf8() + "\"\r\n----------------\r\n");
    EXPECT_EQ(runAndWait(L" -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pdfwrite"), 2u); // ERROR_FILE_NOT_FOUND
}

TEST_F(RecordedRuns, ContextsReachTheOperationsThroughTheirWrappers)
{
    // The conversions report their message and a duration from the input size.
    const ZString in = m_scratch.file(L"in.ps");
    ASSERT_TRUE(writeFileBytes(in, std::string(12345, '%')));
    auto* inner = new PsToPdfOperationImpl(in, m_out);
    PsToPdfOperation outer(inner);
    inner->setContext(nullptr);
    outer.setContext(nullptr);
    outer.contextChanged(); // reports into the null context
    RecordingContext context;
    outer.setContext(&context); // once into the inner's null context, once forwarded
    PdfToTextOperation(new PdfToTextOperationImpl(in, m_out)).setContext(&context);
    PdfToTextOperationImpl(m_scratch.file(L"missing.pdf"), m_out).setContext(&context);
    const ZString extracting = lang_getStr(L"operations/extracting-text");
    EXPECT_EQ(context.messages, (std::vector<ZString>{L"Creating PDF file...", extracting, extracting}));
    EXPECT_EQ(context.durations, (std::vector<int32_t>{12, 1012, 1000}));

    outer.run();
    EXPECT_EQ(recordedCommandLines().size(), 1u);
    outer.cancel();
    EXPECT_TRUE(outer.isCancelled() && inner->isCancelled() && inner->abortControl().isAborted());
}

TEST_F(RecordedRuns, ACancelTerminatesTheRunningCommandOnceAndTheCallerDeletesItsOutput)
{
    // Cancelled before it runs, a command still runs to its end; the cancel is reported.
    CommandOperation early;
    early.cancel();
    EXPECT_TRUE(early.runCommand(command()));
    ASSERT_TRUE(deleteFile(m_out, false));

    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", L"120000");
    CommandOperation operation;
    bool cancelled = false;
    std::thread runner([&] { cancelled = operation.runCommand(command()); });
    // The stand-in has written part of its output and is still running.
    ASSERT_TRUE(waitFor([&] { return pathExists(m_out); }));
    EXPECT_TRUE(operation.abortControl().abort());
    operation.cancel();
    EXPECT_FALSE(operation.abortControl().abort()) << "the process is terminated once";
    runner.join();
    EXPECT_TRUE(cancelled && operation.isCancelled());
    EXPECT_TRUE(deleteFile(m_out, false)) << "the caller deletes the partial output";
    EXPECT_EQ(recordedCommandLines().size(), 2u);
}

TEST_F(RecordedRuns, EveryArgumentText)
{
    const ZString pdfwrite = L"-sDEVICE=pdfwrite" + ZString(kPrepress);
    const ZString toOut = L" \"-sOutputFile=" + m_out + L"\"" + kDistiller + L" -f \"" + m_in + L"\"";
    const ZString bmp = m_scratch.file(L"page%d.bmp");
    const auto image = [&](const ZString& out) { return L" \"-sOutputFile=" + out + L"\" \"" + m_in + L"\""; };
    const ZString alpha = L" -dTextAlphaBits=4 -dGraphicsAlphaBits=4";
    const std::pair<std::function<void()>, ZString> calls[] = {
        {[&] { extractPages(m_in, m_out, 2, 5, nullptr); }, pdfwrite + L" -dFirstPage=2 -dLastPage=5" + toOut},
        {[&] { extractPages(m_in, m_out, kNoPageBound, 7, nullptr); }, pdfwrite + L" -dLastPage=7" + toOut},
        {[&] { extractPages(m_in, m_out, 3, kNoPageBound, nullptr); }, pdfwrite + L" -dFirstPage=3" + toOut},
        {[&] { mergePdfFiles({m_in, L"C:\\b.pdf"}, m_out, nullptr); }, pdfwrite + toOut + L" \"C:\\b.pdf\""},
        // Two blanks between the fixed switches and the device.
        {[&] { psToPdf(m_in, m_out, nullptr); }, L" " + pdfwrite + toOut},
        {[&] { renderPagesBmp(m_in, bmp, 2, 3, 300); },
         alpha + L" -r300 -dFirstPage=2 -dLastPage=3 -sDEVICE=bmp16m" + image(bmp)},
        {[&] { renderPagesJpeg(m_in, m_out, 4, 4, 72, 95); },
         alpha + L" -r72 -dFirstPage=4 -dLastPage=4 -sDEVICE=jpeg -dJPEGQ=95" + image(m_out)},
    };
    for (const auto& [call, arguments] : calls) {
        call();
        EXPECT_EQ(takeRecorded(), expected(arguments));
    }
    // A page exported for the viewer goes to a new file of the program's own.
    for (const bool tiff : {false, true}) {
        const ZString out = exportPageImage(m_in, 6, 150, tiff);
        EXPECT_EQ(fileNamePart(folderPart(out)), L"Tamlo");
        EXPECT_TRUE(out.endsWith(tiff ? L".tiff" : L".jpg")) << out.toUtf8();
        EXPECT_EQ(takeRecorded(),
                  expected(alpha + (tiff ? L" -sDEVICE=tiffg4 -dMaxStripSize=8192" : L" -sDEVICE=jpeg -dJPEGQ=95") +
                           L" -r150 -dFirstPage=6 -dLastPage=6" + image(out)));
        deleteFile(out, false);
    }
}

TEST_F(RecordedRuns, LongArgumentTextsGoThroughAnArgumentFileThatIsDeleted)
{
    ZString exact(L"-dX ");
    while (exact.length() < kMaxInlineArguments)
        exact.appendChar(L'x');
    runGhostscript(exact, nullptr);
    EXPECT_EQ(takeRecorded(), expected(exact));
    EXPECT_TRUE(recordedArgumentFile().empty());

    // One character more; each UTF-16 unit is written by itself as UTF-8,
    // so a surrogate pair becomes two three-byte forms.
    ZString longer(exact);
    longer.truncate(kMaxInlineArguments - 3).append(L"\x00E4\x20AC\xD83D\xDE00");
    ASSERT_EQ(longer.length(), kMaxInlineArguments + 1);
    runGhostscript(longer, nullptr);
    const ZString line = takeRecorded();
    const ZString start = expected(L"\"@");
    ASSERT_TRUE(line.startsWith(start) && line.endsWith(L".gs\"")) << line.toUtf8();
    const ZString argumentFile = line.substring(start.length(), line.length() - 2);
    EXPECT_EQ(fileNamePart(folderPart(argumentFile)), L"Tamlo");
    EXPECT_EQ(recordedArgumentFile(), "-dX " + std::string(static_cast<size_t>(kMaxInlineArguments - 7), 'x') +
                                          "\xC3\xA4\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80");
    EXPECT_FALSE(pathExists(argumentFile));
}

TEST_F(RecordedRuns, AMissingInterpreterIsNamedOnce)
{
    std::vector<ZString> boxes;
    setMessageAnswerer([&boxes](const ZString& text, const ZString&, unsigned) {
        boxes.push_back(text);
        return IDOK;
    });
    resetInterpreterReport();
    const ZString missing = m_scratch.file(L"no gs\\gswin32c.exe");
    useInterpreter(quote(missing) + L" -q");
    const ZString out = m_scratch.file(L"page.jpg");
    renderPagesJpeg(m_scratch.file(L"in.pdf"), out, 1, 1, 72, 75, nullptr);
    runGhostscript(L"-dY", nullptr);
    setMessageAnswerer({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(missing), -1) << boxes[0].toUtf8();
    EXPECT_FALSE(pathExists(out));
}
