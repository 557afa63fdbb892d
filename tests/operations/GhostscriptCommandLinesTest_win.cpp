// What the program passes to the interpreter, byte for byte, as the recording
// stand-in receives it.
#include "tests/operations/OperationsTestSupport.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "operations/ChildProcess.h"
#include "operations/ComposePages.h"
#include "operations/Ghostscript.h"

namespace {

const wchar_t* const kFixed = L" -dSAFER -dNOPAUSE -dBATCH ";

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

class GhostscriptCommandLines : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useRecorder();
        m_in = m_scratch.file(L"in put \x00E4.pdf");
        m_out = m_scratch.file(L"out put \x00FC.pdf");
    }

    // The one command line recorded so far.
    ZString recorded() const
    {
        const std::vector<ZString> lines = recordedCommandLines();
        return lines.size() == 1 ? lines.front() : ZString(L"<" + ZString::format(L"%d", int(lines.size())) + L" runs>");
    }

    static ZString expected(const ZString& arguments) { return recorderPrefix() + kFixed + arguments; }

    ZString m_in;
    ZString m_out;
    StdoutCapture m_quiet;
};

} // namespace

TEST_F(GhostscriptCommandLines, ExtractingARangeNamesOnlyItsBoundedPages)
{
    extractPages(m_in, m_out, 2, 5, nullptr);
    EXPECT_EQ(recorded(), expected(ZString(L"-sDEVICE=pdfwrite") + kPrepress + L" -dFirstPage=2 -dLastPage=5 \"-sOutputFile=" +
                                   m_out + L"\"" + kDistiller + L" -f \"" + m_in + L"\""));
    EXPECT_TRUE(pathExists(m_out));

    deleteFile(m_log, false);
    extractPages(m_in, m_out, kNoPageBound, 7, nullptr);
    EXPECT_EQ(recorded(), expected(ZString(L"-sDEVICE=pdfwrite") + kPrepress + L" -dLastPage=7 \"-sOutputFile=" + m_out +
                                   L"\"" + kDistiller + L" -f \"" + m_in + L"\""));
    deleteFile(m_log, false);
    extractPages(m_in, m_out, 3, kNoPageBound, nullptr);
    EXPECT_EQ(recorded(), expected(ZString(L"-sDEVICE=pdfwrite") + kPrepress + L" -dFirstPage=3 \"-sOutputFile=" + m_out +
                                   L"\"" + kDistiller + L" -f \"" + m_in + L"\""));
}

TEST_F(GhostscriptCommandLines, MergeAndPostScriptConversion)
{
    mergePdfFiles({m_in, L"C:\\b.pdf"}, m_out, nullptr);
    EXPECT_EQ(recorded(), expected(ZString(L"-sDEVICE=pdfwrite") + kPrepress + L" \"-sOutputFile=" + m_out + L"\"" +
                                   kDistiller + L" -f \"" + m_in + L"\" \"C:\\b.pdf\""));

    deleteFile(m_log, false);
    psToPdf(m_in, m_out, nullptr);
    // Two blanks between the fixed switches and the device.
    EXPECT_EQ(recorded(), recorderPrefix() + L" -dSAFER -dNOPAUSE -dBATCH  -sDEVICE=pdfwrite" + kPrepress +
                              L" \"-sOutputFile=" + m_out + L"\"" + kDistiller + L" -f \"" + m_in + L"\"");
}

TEST_F(GhostscriptCommandLines, PageImages)
{
    const ZString pattern = m_scratch.file(L"page%d.bmp");
    renderPagesBmp(m_in, pattern, 2, 3, 300);
    EXPECT_EQ(recorded(), expected(L" -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -r300 -dFirstPage=2 -dLastPage=3"
                                   L" -sDEVICE=bmp16m \"-sOutputFile=" + pattern + L"\" \"" + m_in + L"\""));
    EXPECT_TRUE(pathExists(m_scratch.file(L"page1.bmp")));

    deleteFile(m_log, false);
    renderPagesJpeg(m_in, m_out, 4, 4, 72, 95);
    EXPECT_EQ(recorded(), expected(L" -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -r72 -dFirstPage=4 -dLastPage=4"
                                   L" -sDEVICE=jpeg -dJPEGQ=95 \"-sOutputFile=" + m_out + L"\" \"" + m_in + L"\""));

    for (const bool tiff : {false, true}) {
        deleteFile(m_log, false);
        const ZString image = exportPageImage(m_in, 6, 150, tiff);
        EXPECT_TRUE(image.endsWith(tiff ? L".tiff" : L".jpg")) << image.toUtf8();
        EXPECT_EQ(fileNamePart(folderPart(image)), L"Tamlo");
        EXPECT_TRUE(pathExists(image));
        EXPECT_EQ(recorded(),
                  expected(ZString(L" -dTextAlphaBits=4 -dGraphicsAlphaBits=4") +
                           (tiff ? L" -sDEVICE=tiffg4 -dMaxStripSize=8192" : L" -sDEVICE=jpeg -dJPEGQ=95") +
                           L" -r150 -dFirstPage=6 -dLastPage=6 \"-sOutputFile=" + image + L"\" \"" + m_in + L"\""));
        deleteFile(image, false);
    }
}

TEST_F(GhostscriptCommandLines, LongArgumentTextsGoThroughAnArgumentFile)
{
    ZString exact(L"-dX ");
    while (exact.length() < kMaxInlineArguments)
        exact.appendChar(L'x');
    runGhostscript(exact, nullptr);
    EXPECT_EQ(recorded(), expected(exact));
    EXPECT_TRUE(recordedArgumentFile().empty());

    deleteFile(m_log, false);
    // One character more; each UTF-16 unit is written by itself as UTF-8,
    // so a surrogate pair becomes two three-byte forms.
    ZString longer(exact);
    longer.truncate(kMaxInlineArguments - 3).append(L"\x00E4\x20AC\xD83D\xDE00");
    ASSERT_EQ(longer.length(), kMaxInlineArguments + 1);
    runGhostscript(longer, nullptr);
    const ZString line = recorded();
    const ZString start = expected(L"\"@");
    ASSERT_TRUE(line.startsWith(start)) << line.toUtf8();
    EXPECT_TRUE(line.endsWith(L".gs\""));
    const ZString argumentFile = line.substring(start.length(), line.length() - 2);
    EXPECT_EQ(fileNamePart(folderPart(argumentFile)), L"Tamlo");
    std::string bytes(static_cast<size_t>(kMaxInlineArguments - 3), 'x');
    bytes.replace(0, 4, "-dX ");
    bytes += "\xC3\xA4\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80";
    EXPECT_EQ(recordedArgumentFile(), bytes);
    EXPECT_FALSE(pathExists(argumentFile)) << "the argument file is deleted afterwards";
}

TEST_F(GhostscriptCommandLines, WithoutAnInterpreterSettingTheStartFailsAndNothingHangs)
{
    useInterpreter(ZString());
    StdoutCapture capture;
    runGhostscript(L"-sDEVICE=pdfwrite \"-sOutputFile=" + m_out + L"\"", nullptr);
    EXPECT_FALSE(pathExists(m_out));
    EXPECT_EQ(capture.text(), "================\r\n -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pdfwrite \"-sOutputFile=" +
                                  m_out.toUtf8() + "\"\r\n----------------\r\n");
    EXPECT_EQ(runAndWait(L" -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pdfwrite"), 2u); // ERROR_FILE_NOT_FOUND
}

TEST_F(GhostscriptCommandLines, ComposingCopiesWholeFilesExtractsRangesAndMerges)
{
    // Source files named .PDF in capitals; the parts are the program's own ".pdf" files.
    const ZString a = m_scratch.file(L"a.PDF");
    const ZString b = m_scratch.file(L"b.pdf");
    ASSERT_TRUE(writeFileBytes(a, "%PDF-1.4 a\n"));
    ASSERT_TRUE(writeFileBytes(b, "%PDF-1.4 b\n"));

    // A whole file: one part, a copy, copied again to the output; nothing run.
    composePages({{a, 2, 1}, {a, 2, 2}}, m_out, nullptr);
    EXPECT_TRUE(recordedCommandLines().empty());
    EXPECT_EQ(readFileBytes(m_out), "%PDF-1.4 a\n");

    // Pages 1-2 of a (of 3), then all of b: one extraction, one copy, one merge.
    deleteFile(m_out, false);
    composePages({{a, 3, 1}, {a, 3, 2}, {b, 1, 1}}, m_out, nullptr);
    const std::vector<ZString> lines = recordedCommandLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].startsWith(expected(L"-sDEVICE=pdfwrite" + ZString(kPrepress) + L" -dFirstPage=1 -dLastPage=2 ")));
    EXPECT_TRUE(lines[0].endsWith(L" -f \"" + a + L"\""));
    EXPECT_TRUE(lines[1].startsWith(expected(L"-sDEVICE=pdfwrite" + ZString(kPrepress) + L" \"-sOutputFile=" + m_out)));
    EXPECT_EQ(lines[1].countChars(L"\""), 2 + 2 + 2 + 2 * 2) << "program, output, PostScript code and two parts";
    EXPECT_TRUE(pathExists(m_out));
    // The temporary parts are gone.
    for (const ZString& line : lines) {
        const int at = line.find(L"\"-sOutputFile=");
        const ZString part = line.substring(at + 14, line.find(L"\"", at + 1) - 1);
        if (!part.equals(m_out)) {
            EXPECT_FALSE(pathExists(part)) << part.toUtf8();
        }
    }
}

TEST_F(GhostscriptCommandLines, AnAbortedComposeStopsAfterTheCurrentRangeAndLeavesNothing)
{
    AbortControl control;
    control.abort(); // before anything runs: the first command still runs to its end
    composePages({{m_in, 9, 1}, {m_in, 9, 5}}, m_out, &control);
    const std::vector<ZString> lines = recordedCommandLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(L" -dFirstPage=1 -dLastPage=1 "), -1);
    EXPECT_FALSE(pathExists(m_out));
    const int at = lines[0].find(L"\"-sOutputFile=");
    EXPECT_FALSE(pathExists(lines[0].substring(at + 14, lines[0].find(L"\"", at + 1) - 1)));
}
