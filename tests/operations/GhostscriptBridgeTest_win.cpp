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

#include <algorithm>
#include <thread>

namespace {

// Five pages, each showing its number.
const char* const kFivePages =
    "%!PS\n/Helvetica findfont 40 scalefont setfont\n72 700 moveto (Page 1) show showpage\n"
    "72 700 moveto (Page 2) show showpage\n72 700 moveto (Page 3) show showpage\n"
    "72 700 moveto (Page 4) show showpage\n72 700 moveto (Page 5) show showpage\n";

// German text in a Latin-1 re-encoded font.
const char* const kUmlautPostScript =
    "%!PS\n/Helvetica findfont dup length dict begin { 1 index /FID ne { def } { pop pop } ifelse } forall\n"
    "/Encoding ISOLatin1Encoding def currentdict end /HelveticaLatin1 exch definefont pop\n"
    "/HelveticaLatin1 findfont 20 scalefont setfont 72 700 moveto (\xC4pfel \xD6l \xDC" "bel) show\n"
    "72 650 moveto (\xE4rger \xF6" "de \xFC" "ber x\"y) show showpage\n";

// About half a minute of work, should a cancel not arrive; it then ends by itself.
const char* const kLongPostScript = "%!PS\n/Helvetica findfont 40 scalefont setfont 72 700 moveto (Begun) show\n"
                                    "0 1 2000000000 { pop } for showpage\n";

class Ghostscript : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
    }

    // A PDF made from PostScript under the progress window.
    ZString makePdf(const wchar_t* name, const std::string& postScript)
    {
        const ZString ps = m_scratch.file(name) + L".ps", pdf = m_scratch.file(name) + L".pdf";
        writeFileBytes(ps, postScript);
        EXPECT_TRUE(convertPsToPdf(ps, pdf, nullptr));
        return pdf;
    }

    const ZString m_sample = sourcePath(L"samples/sample.pdf");
    StdoutCapture m_quiet;
};

// Presses Cancel in the visible dialog of the thread, if there is one.
bool pressCancel(DWORD thread)
{
    for (HWND dialog = nullptr; (dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr;)
        if (GetWindowThreadProcessId(dialog, nullptr) == thread && IsWindowVisible(dialog))
            return PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0) != FALSE;
    return false;
}

} // namespace

TEST_F(Ghostscript, PagesBecomeJpegBitmapAndTiffImages)
{
    const ZString jpeg = m_scratch.file(L"page two.jpg");
    renderPagesJpeg(m_sample, jpeg, 2, 2, 40, 95);
    EXPECT_EQ(readFileBytes(jpeg).substr(0, 3), "\xFF\xD8\xFF");
    renderPagesBmp(m_sample, m_scratch.file(L"page%d.bmp"), 1, 3, 20);
    const std::string bmp = readFileBytes(m_scratch.file(L"page3.bmp"));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp.size() > 28 ? bmp[28] : 0, 24) << "24 bits per pixel";
    const ZString tiff = exportPageImage(m_sample, 3, 30, true);
    EXPECT_EQ(readFileBytes(tiff).substr(0, 2), "II");
    deleteFile(tiff, false);
}

TEST_F(Ghostscript, PostScriptBecomesPdfAndPagesAreExtractedMergedAndComposed)
{
    const ZString five = makePdf(L"five pages", kFivePages);
    EXPECT_EQ(pdfPageCount(five), 5);
    const ZString range = m_scratch.file(L"range.pdf");
    extractPages(five, range, 2, 4, nullptr);
    EXPECT_EQ(pdfPageCount(range), 3);
    const ZString merged = m_scratch.file(L"merged.pdf");
    mergePdfFiles({range, m_sample}, merged, nullptr);
    EXPECT_EQ(pdfPageCount(merged), 6);

    // A range covering its whole file is a byte copy.
    std::vector<PageEntry> pages = {{m_sample, 3, 1}, {m_sample, 3, 2}, {m_sample, 3, 3}};
    composePages(pages, merged, nullptr);
    EXPECT_EQ(readFileBytes(merged), readFileBytes(m_sample));
    // Pages 1, 2, 3 of one file and 4 of another: two ranges, four pages.
    pages.push_back({five, 5, 4});
    EXPECT_EQ(pageRanges(pages).size(), 2u);
    composePages(pages, merged, nullptr);
    EXPECT_EQ(pdfPageCount(merged), 4);
    // Descending pages never merge into one range, nor does the same file spelt otherwise.
    const std::vector<PageRange> descending = pageRanges({{five, 5, 3}, {five, 5, 2}});
    ASSERT_EQ(descending.size(), 2u);
    EXPECT_TRUE(descending[0].first == 3 && descending[0].last == 3 && descending[1].first == 2);
    composePages({{five, 5, 3}, {five, 5, 2}}, merged, nullptr);
    EXPECT_EQ(pdfPageCount(merged), 2);
    EXPECT_EQ(pageRanges({{five, 5, 1}, {ZString(five).toUpper(), 5, 2}}).size(), 2u);

    // Paths with blanks, long enough that a merge's arguments go through an argument file.
    const ZString folder = m_scratch.file(L"a folder with a long name ") + ZString(std::wstring(180, L'x'));
    ASSERT_TRUE(createFolder(folder, true));
    const ZString one = joinPath(folder, L"one page.pdf");
    extractPages(five, one, 5, 5, nullptr);
    const std::vector<ZString> inputs(45, one);
    ASSERT_GT(mergeArguments(inputs, merged).length(), kMaxInlineArguments);
    mergePdfFiles(inputs, merged, nullptr);
    EXPECT_EQ(pdfPageCount(merged), 45);
}

TEST_F(Ghostscript, ExtractedGermanTextHasWindows1252Umlauts)
{
    const ZString text = m_scratch.file(L"text.txt");
    ASSERT_TRUE(convertPdfToText(makePdf(L"umlauts", kUmlautPostScript), text, nullptr));
    const std::string bytes = readFileBytes(text);
    EXPECT_NE(bytes.find("\xC4pfel \xD6l \xDC" "bel"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\xE4rger \xF6" "de \xFC" "ber x\"y"), std::string::npos) << bytes;
    EXPECT_EQ(umlautsFromQuotedVowels("u\"\"e\"u"), "\xFC\"e\"u");
}

// A conversion cancelled once its host interpreter runs: nothing of it keeps
// running and its output is gone. Text extraction runs a batch script, of which
// only the command interpreter is terminated.
TEST_F(Ghostscript, CancellingStopsTheHostInterpreterAndDeletesTheOutput)
{
    const ZString ps = m_scratch.file(L"long.ps");
    writeFileBytes(ps, kLongPostScript);
    const std::pair<ZString, bool (*)(const ZString&, const ZString&, HWND, bool*)> conversions[] = {
        {m_scratch.file(L"long.pdf"), convertPsToPdf}, {m_scratch.file(L"long.txt"), convertPdfToText}};
    // The bridge's own files in the temporary folder ("gsbridge_..."), and
    // whether the interpreter keeps its work files in a folder among them.
    // Entries left by programs that were killed before this test count as no one's.
    std::vector<ZString> earlier;
    const auto bridgeEntries = [&earlier] {
        std::vector<ZString> files, folders;
        listFolder(tempFolder(), &files, &folders);
        files.insert(files.end(), folders.begin(), folders.end());
        std::vector<ZString> ours;
        for (const ZString& entry : files)
            if (fileNamePart(entry).startsWith(L"gsbridge_") &&
                std::find(earlier.begin(), earlier.end(), entry) == earlier.end())
                ours.push_back(entry);
        return ours;
    };
    earlier = bridgeEntries();
    const auto interpreterWorksPrivately = [&] {
        for (const ZString& entry : bridgeEntries())
            if (entry.endsWith(L"_tmp") && countEntries(entry, 0xFFFFFFFF, 0) > 0)
                return true;
        return false;
    };
    for (const auto& [out, convert] : conversions) {
        const ZString pidFile = out + L".pid";
        SetEnvironmentVariableW(L"GSBRIDGE_PID_FILE", pidFile.c_str());
        unsigned long group = 0;
        bool pressed = false;
        bool privately = false;
        const bool pdf = out.endsWith(L".pdf");
        std::thread presser([&, self = GetCurrentThreadId()] {
            pressed = waitFor([&] {
                const std::string pid = readFileBytes(pidFile);
                group = pid.size() > 1 ? std::stoul(pid) : 0;
                return group != 0 && hostGroupRuns(group);
            });
            if (pdf)
                privately = waitFor(interpreterWorksPrivately, 20000);
            pressed = pressed && waitFor([&] { return pressCancel(self); });
        });
        bool cancelled = false;
        EXPECT_FALSE(convert(ps, out, nullptr, &cancelled));
        EXPECT_TRUE(cancelled) << "a cancel is told apart from a failure";
        presser.join();
        ASSERT_TRUE(pressed);
        EXPECT_EQ(privately, pdf) << "the interpreter's work files go into the bridge's own folder";
        EXPECT_FALSE(pathExists(out));
        EXPECT_TRUE(waitFor([&] { return !hostGroupRuns(group); }, 10000));
        EXPECT_FALSE(pathExists(out));
        EXPECT_TRUE(waitFor([&] { return bridgeEntries().empty(); }, 10000)) << "nothing of the bridge stays behind";
    }
}
