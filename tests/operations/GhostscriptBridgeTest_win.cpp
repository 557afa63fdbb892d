// The real interpreter, the host's Ghostscript, reached through the
// installation's bridge program as the installation sets it up under Wine.
#include "tests/operations/OperationsTestSupport.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "operations/ComposePages.h"
#include "operations/Conversions.h"
#include "operations/Ghostscript.h"
#include "operations/TextExtraction.h"

#include <windows.h>

#include <thread>

namespace {

// A page per number, each showing its number.
std::string numberedPagesPostScript(int pages)
{
    std::string ps = "%!PS\n/Helvetica findfont 40 scalefont setfont\n";
    for (int i = 1; i <= pages; ++i)
        ps += "72 700 moveto (Page " + std::to_string(i) + ") show showpage\n";
    return ps;
}

// German text in a Latin-1 re-encoded font.
const char* const kUmlautPostScript =
    "%!PS\n"
    "/Helvetica findfont dup length dict begin { 1 index /FID ne { def } { pop pop } ifelse } forall\n"
    "/Encoding ISOLatin1Encoding def currentdict end /HelveticaLatin1 exch definefont pop\n"
    "/HelveticaLatin1 findfont 20 scalefont setfont\n"
    "72 700 moveto (\xC4pfel \xD6l \xDC" "bel) show\n"
    "72 650 moveto (\xE4rger \xF6" "de \xFC" "ber x\"y) show showpage\n";

class Ghostscript : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
    }

    // A PDF made from PostScript by the interpreter.
    ZString makePdf(const wchar_t* name, const std::string& postScript)
    {
        const ZString ps = m_scratch.file(name) + L".ps";
        const ZString pdf = m_scratch.file(name) + L".pdf";
        writeFileBytes(ps, postScript);
        psToPdf(ps, pdf, nullptr);
        return pdf;
    }

    StdoutCapture m_quiet;
};

// Presses Cancel in the progress window of the given thread once ready() holds.
class CancelPresser {
public:
    CancelPresser(DWORD guiThread, std::function<bool()> ready)
        : m_thread([this, guiThread, ready] {
              m_pressed = waitFor(ready) && waitFor([&] { return pressCancel(guiThread); });
          })
    {
    }
    ~CancelPresser()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    bool pressed()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_pressed;
    }

private:
    static BOOL CALLBACK findDialog(HWND window, LPARAM found)
    {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    static bool pressCancel(DWORD thread)
    {
        HWND dialog = nullptr;
        EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&dialog));
        return dialog != nullptr && PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    bool m_pressed = false;
    std::thread m_thread;
};

} // namespace

TEST_F(Ghostscript, PagesBecomeJpegAndBitmapImages)
{
    const ZString sample = sourcePath(L"samples/sample.pdf");
    const ZString jpeg = m_scratch.file(L"page two.jpg");
    renderPagesJpeg(sample, jpeg, 2, 2, 40, 95);
    EXPECT_EQ(readFileBytes(jpeg).substr(0, 3), "\xFF\xD8\xFF");

    renderPagesBmp(sample, m_scratch.file(L"page%d.bmp"), 1, 3, 20);
    for (const wchar_t* name : {L"page1.bmp", L"page2.bmp", L"page3.bmp"}) {
        const std::string bmp = readFileBytes(m_scratch.file(name));
        ASSERT_GT(bmp.size(), 30u) << ZString(name).toUtf8();
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(bmp[28], 24) << "24 bits per pixel";
    }

    const ZString exported = exportPageImage(sample, 3, 30, true);
    EXPECT_EQ(readFileBytes(exported).substr(0, 2), "II");
    deleteFile(exported, false);
}

TEST_F(Ghostscript, PostScriptBecomesPdfAndPagesAreExtractedAndMerged)
{
    const ZString five = makePdf(L"five pages", numberedPagesPostScript(5));
    ASSERT_EQ(readFileBytes(five).substr(0, 5), "%PDF-");
    EXPECT_EQ(pdfPageCount(five), 5);

    const ZString range = m_scratch.file(L"range.pdf");
    extractPages(five, range, 2, 4, nullptr);
    EXPECT_EQ(pdfPageCount(range), 3);

    const ZString merged = m_scratch.file(L"merged.pdf");
    mergePdfFiles({range, sourcePath(L"samples/sample.pdf")}, merged, nullptr);
    EXPECT_EQ(pdfPageCount(merged), 6);
}

TEST_F(Ghostscript, ALongMergeGoesThroughAnArgumentFile)
{
    // Paths with blanks, long enough that the arguments exceed the inline limit.
    ZString folder = m_scratch.file(L"a folder with a long name ");
    while (folder.length() < 200)
        folder.append(L"x");
    ASSERT_TRUE(createFolder(folder, true));
    const ZString one = joinPath(folder, L"one page.pdf");
    ASSERT_TRUE(copyFile(makePdf(L"one", numberedPagesPostScript(1)), one));
    const std::vector<ZString> inputs(45, one);
    ASSERT_GT(mergeArguments(inputs, one).length(), kMaxInlineArguments);

    const ZString merged = joinPath(folder, L"merged.pdf");
    mergePdfFiles(inputs, merged, nullptr);
    EXPECT_EQ(pdfPageCount(merged), 45);
}

TEST_F(Ghostscript, ComposingPagesFromTwoFiles)
{
    const ZString sample = sourcePath(L"samples/sample.pdf");
    const ZString five = makePdf(L"five", numberedPagesPostScript(5));
    const ZString out = m_scratch.file(L"composed.pdf");

    // A range covering its whole file is a byte copy.
    composePages({{sample, 3, 1}, {sample, 3, 2}, {sample, 3, 3}}, out, nullptr);
    EXPECT_EQ(readFileBytes(out), readFileBytes(sample));

    // Pages 1, 2, 3 of one file and 4 of another: two ranges, four pages.
    EXPECT_EQ(pageRanges({{sample, 3, 1}, {sample, 3, 2}, {sample, 3, 3}, {five, 5, 4}}).size(), 2u);
    composePages({{sample, 3, 1}, {sample, 3, 2}, {sample, 3, 3}, {five, 5, 4}}, out, nullptr);
    EXPECT_EQ(pdfPageCount(out), 4);

    // Descending pages never merge into one range.
    const std::vector<PageRange> descending = pageRanges({{five, 5, 3}, {five, 5, 2}});
    ASSERT_EQ(descending.size(), 2u);
    EXPECT_EQ(descending[0].first, 3u);
    EXPECT_EQ(descending[0].last, 3u);
    EXPECT_EQ(descending[1].first, 2u);
    composePages({{five, 5, 3}, {five, 5, 2}}, out, nullptr);
    EXPECT_EQ(pdfPageCount(out), 2);

    // The same file under another spelling is another file.
    EXPECT_EQ(pageRanges({{five, 5, 1}, {ZString(five).toUpper(), 5, 2}}).size(), 2u);
}

TEST_F(Ghostscript, ExtractedGermanTextHasWindows1252Umlauts)
{
    const ZString pdf = makePdf(L"umlauts", kUmlautPostScript);
    const ZString text = m_scratch.file(L"text.txt");
    ASSERT_TRUE(pdfToText(pdf, text, nullptr));
    const std::string bytes = readFileBytes(text);
    EXPECT_NE(bytes.find("\xC4pfel \xD6l \xDC" "bel"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\xE4rger \xF6" "de \xFC" "ber x\"y"), std::string::npos) << bytes;

    EXPECT_EQ(umlautsFromQuotedVowels("a\"b"), "\xE4" "b");
    EXPECT_EQ(umlautsFromQuotedVowels("x\"\n"), "x\"\n");
    EXPECT_EQ(umlautsFromQuotedVowels("A\"O\"U\"o\"u\"\"e\""), "\xC4\xD6\xDC\xF6\xFC\"e\"");
}

TEST_F(Ghostscript, TheConversionsRunUnderTheProgressWindow)
{
    const ZString ps = m_scratch.file(L"in.ps");
    writeFileBytes(ps, numberedPagesPostScript(2));
    const ZString pdf = m_scratch.file(L"out.pdf");
    EXPECT_TRUE(convertPsToPdf(ps, pdf, nullptr));
    EXPECT_EQ(pdfPageCount(pdf), 2);

    const ZString text = m_scratch.file(L"out.txt");
    EXPECT_TRUE(convertPdfToText(pdf, text, nullptr));
    EXPECT_NE(readFileBytes(text).find("Page 2"), std::string::npos);
}

// Cancels a conversion once its host interpreter runs; checks that nothing of
// it keeps running and that its output is gone.
void cancelWhileRunning(const std::function<bool()>& convert, const ZString& out, const ZString& pidFile)
{
    SetEnvironmentVariableW(L"GSBRIDGE_PID_FILE", pidFile.c_str());
    unsigned long group = 0;
    CancelPresser presser(GetCurrentThreadId(), [&] {
        const std::string pid = readFileBytes(pidFile);
        group = pid.size() > 1 ? std::stoul(pid) : 0;
        return group != 0 && hostGroupRuns(group);
    });
    EXPECT_FALSE(convert());
    const DWORD returned = GetTickCount();
    ASSERT_TRUE(presser.pressed());
    EXPECT_FALSE(pathExists(out)) << "the cancelled conversion deletes its output";

    const bool stopped = waitFor([&] { return !hostGroupRuns(group); }, 10000);
    if (!stopped) // leave nothing running behind a failed test
        killHostGroup(group);
    EXPECT_TRUE(stopped);
    printf("host interpreter gone %lu ms after the conversion returned\n",
           static_cast<unsigned long>(GetTickCount() - returned));
    EXPECT_FALSE(pathExists(out));
}

// About half a minute of work, should the cancel not arrive.
const char* const kLongPostScript = "%!PS\n/Helvetica findfont 40 scalefont setfont 72 700 moveto (Begun) show\n"
                                    "0 1 2000000000 { pop } for showpage\n";

TEST_F(Ghostscript, CancellingStopsTheHostInterpreterAndDeletesTheOutput)
{
    const ZString ps = m_scratch.file(L"long.ps");
    writeFileBytes(ps, kLongPostScript);
    const ZString pdf = m_scratch.file(L"long.pdf");
    cancelWhileRunning([&] { return convertPsToPdf(ps, pdf, nullptr); }, pdf, m_scratch.file(L"gs.pid"));
}

TEST_F(Ghostscript, CancellingTextExtractionStopsTheInterpreterBehindTheBatchScript)
{
    // The script reads PostScript as well; only its command interpreter is terminated.
    const ZString ps = m_scratch.file(L"long.ps");
    writeFileBytes(ps, kLongPostScript);
    const ZString text = m_scratch.file(L"long.txt");
    cancelWhileRunning([&] { return convertPdfToText(ps, text, nullptr); }, text, m_scratch.file(L"ps2ascii.pid"));
}
