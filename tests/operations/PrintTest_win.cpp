// Printing on the test prefix's file printer (Wine's PostScript driver): what
// reaches the printer is rendered back with the interpreter and the squares
// on each page are counted (page k of the test document carries k squares).
#include "operations/PDFPrinter.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "gui/Dpi.h"
#include "operations/PrintOpDlg.h"
#include "operations/Ghostscript.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/operations/PrintDialogAnswer_win.h"
#include "tests/support/WindowTestSupport_win.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gdiplus.h>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// What a recorded print reported, and a cancel after a chosen bar position.
class RecordingProgress : public PrintProgress {
public:
    void setProgressLine(const ZString& text) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        lines.push_back(text);
    }
    void setProgressBar(int position) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        bars.push_back(position);
        if (position == cancelAtBar) {
            if (beforeCancel)
                beforeCancel();
            m_cancel = true;
        }
    }
    bool cancelRequested() const override { return m_cancel; }

    std::vector<ZString> lines;
    std::vector<int> bars;
    int cancelAtBar = -1;
    std::function<void()> beforeCancel;

private:
    std::mutex m_lock;
    std::atomic<bool> m_cancel{false};
};

// The bitmaps in the program's temporary folder.
std::set<std::string> waitingBitmaps()
{
    std::vector<ZString> files;
    listFolder(joinPath(tempFolder(), kTempSubFolder), &files, nullptr, kListFiles);
    std::set<std::string> bitmaps;
    for (const ZString& file : files)
        if (extensionOf(file).equalsIgnoreCase(ZString(L".bmp")))
            bitmaps.insert(file.toUtf8());
    return bitmaps;
}

// Notes a visible progress dialog in the HWND that found points to.
BOOL CALLBACK rememberProgressDialog(HWND window, LPARAM found)
{
    if (GetDlgItem(window, PrintOpDlg::kCancelId) != nullptr && IsWindowVisible(window))
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

class Printing : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
        const ZString ps = m_scratch.file(L"squares.ps");
        writeFileBytes(ps, squaresPostScript(5));
        psToPdf(ps, m_pdf, nullptr);
    }

    std::vector<PrintPageEntry> entries(std::initializer_list<uint32_t> pages) const
    {
        std::vector<PrintPageEntry> list;
        for (uint32_t page : pages)
            list.push_back({m_pdf, page});
        return list;
    }

    std::vector<int> printedPages() const { return squaresOnPages(m_printed, m_scratch.file(L"printed")); }

    ZString m_pdf = m_scratch.file(L"squares.pdf");
    ZString m_printed = m_scratch.file(L"printed.ps");
    StdoutCapture m_quiet;
};

} // namespace

TEST_F(Printing, ARangeOfTheDialogPrintsExactlyThosePages)
{
    ASSERT_EQ(pdfPageCount(m_pdf), 5);
    PDFPrinter printer(entries({1, 2, 3, 4, 5}), {});
    printer.setOutputFile(m_printed);
    TestHostWindow owner(300, 200);
    PrintDialogAnswer answer(PrintDialogAnswer::Range, 3, 3);

    EXPECT_TRUE(print(owner.hwnd(), printer));

    ASSERT_TRUE(answer.seen);
    // Without a selection the dialog offers no selection choice.
    EXPECT_FALSE(answer.selectionEnabled);
    EXPECT_EQ(printedPages(), std::vector<int>({3}));
}

TEST_F(Printing, ASelectionPrintsInSelectionOrder)
{
    PDFPrinter printer(entries({1, 2, 3, 4, 5}), entries({4, 1, 2}));
    printer.setOutputFile(m_printed);
    PrintDialogAnswer answer(PrintDialogAnswer::AsOffered);

    EXPECT_TRUE(print(nullptr, printer));

    ASSERT_TRUE(answer.seen);
    EXPECT_TRUE(answer.selectionEnabled);
    EXPECT_TRUE(answer.selectionChecked);
    EXPECT_EQ(printedPages(), std::vector<int>({4, 1, 2}));
}

TEST_F(Printing, ACancelledDialogPrintsNothing)
{
    PDFPrinter printer(entries({1, 2}), {});
    printer.setOutputFile(m_printed);
    PrintDialogAnswer answer(PrintDialogAnswer::Cancel);
    EXPECT_FALSE(print(nullptr, printer));
    EXPECT_TRUE(answer.seen);
    EXPECT_FALSE(pathExists(m_printed));
}

TEST_F(Printing, ProgressCountsPagesAndHalfPages)
{
    PrinterDc dc;
    ASSERT_NE(dc.get(), nullptr);
    // A page that cannot be rendered is left out without a word.
    std::vector<PrintPageEntry> pages = entries({2, 5});
    pages.insert(pages.begin() + 1, {m_scratch.file(L"missing.pdf"), 1});
    PDFPrinter printer(pages, {});
    printer.setOutputFile(m_printed);
    RecordingProgress progress;
    printer.setProgress(&progress);

    printer.printAll(dc.get());

    EXPECT_EQ(printedPages(), std::vector<int>({2, 5}));
    // Of three pages two were printed: the bar never reaches its end.
    EXPECT_EQ(progress.bars, std::vector<int>({0, 16, 33, 50}));
    ASSERT_EQ(progress.lines.size(), 3u);
    ZString line = lang_getStr(L"operations/printing-pages");
    line.replaceAll(L"{PAGE_NUMBER}", L"2").replaceAll(L"{PAGE_COUNT}", L"3");
    EXPECT_EQ(progress.lines.back(), line);

    PDFPrinter three(entries({1, 2, 3}), {});
    three.setOutputFile(m_printed);
    RecordingProgress full;
    three.setProgress(&full);
    three.printAll(dc.get());
    EXPECT_EQ(full.bars, std::vector<int>({0, 16, 33, 50, 66, 83}));
}

TEST_F(Printing, ACancelEndsTheDocumentTheRenderAndTheWaitingBitmaps)
{
    PrinterDc dc;
    ASSERT_NE(dc.get(), nullptr);
    // The third entry's interpreter never ends by itself.
    const ZString endless = m_scratch.file(L"endless.ps");
    writeFileBytes(endless, "%!PS\n0 1 2000000000 { pop } for showpage\n");
    std::vector<PrintPageEntry> pages = entries({1, 2});
    pages.push_back({endless, 1});
    PDFPrinter printer(pages, {});
    printer.setOutputFile(m_printed);
    RecordingProgress progress;
    progress.cancelAtBar = 16;
    printer.setProgress(&progress);
    const std::set<std::string> before = waitingBitmaps();
    const ZString pidFile = m_scratch.file(L"gs.pid");
    SetEnvironmentVariableW(L"GSBRIDGE_PID_FILE", pidFile.c_str());
    // The cancel comes once the endless page renders, so the second page's bitmap waits.
    unsigned long group = 0;
    progress.beforeCancel = [&] {
        waitFor([&] {
            const std::string pid = readFileBytes(pidFile);
            group = pid.size() > 1 ? std::stoul(pid) : 0;
            return group != 0 && hostGroupRuns(group);
        });
    };

    printer.printAll(dc.get());

    EXPECT_EQ(progress.bars, std::vector<int>({0, 16}));
    // The document was ended: its one page is complete.
    EXPECT_EQ(printedPages(), std::vector<int>({1}));
    ASSERT_NE(group, 0u);
    EXPECT_TRUE(waitFor([&] { return !hostGroupRuns(group); }, 10000));
    EXPECT_EQ(waitingBitmaps(), before);
}

TEST_F(Printing, TheProgressDialogShowsThePrintAndItsCancelButtonStopsIt)
{
    const ZString endless = m_scratch.file(L"endless.ps");
    writeFileBytes(endless, "%!PS\n0 1 2000000000 { pop } for showpage\n");
    std::vector<PrintPageEntry> pages = entries({2});
    pages.push_back({endless, 1});
    PDFPrinter printer(pages, {});
    printer.setOutputFile(m_printed);
    PrintDialogAnswer answer(PrintDialogAnswer::AsOffered);

    // Once the first page is out, the dialog is read and its cancel button pressed.
    struct Seen {
        HWND dialog = nullptr;
        RECT frame{};
        ZString title, button;
        int dpi = 96;
    } seen;
    std::thread presser([&, thread = GetCurrentThreadId()] {
        waitFor([&] {
            EnumThreadWindows(thread, rememberProgressDialog, reinterpret_cast<LPARAM>(&seen.dialog));
            return seen.dialog != nullptr &&
                   SendMessageW(GetDlgItem(seen.dialog, PrintOpDlg::kBarId), PBM_GETPOS, 0, 0) == 25;
        });
        if (seen.dialog == nullptr)
            return;
        wchar_t text[200] = {};
        GetWindowTextW(seen.dialog, text, 200);
        seen.title = text;
        GetDlgItemTextW(seen.dialog, PrintOpDlg::kCancelId, text, 200);
        seen.button = text;
        GetWindowRect(seen.dialog, &seen.frame);
        seen.dpi = dpiOf(seen.dialog);
        WindowPicture(seen.dialog, false).savePng(picturePath(L"print-progress.png"));
        PostMessageW(seen.dialog, WM_COMMAND, PrintOpDlg::kCancelId, 0);
    });

    EXPECT_TRUE(print(nullptr, printer));
    presser.join();

    ASSERT_NE(seen.dialog, nullptr);
    EXPECT_FALSE(IsWindow(seen.dialog));
    EXPECT_EQ(seen.frame.right - seen.frame.left, scale(344, seen.dpi));
    EXPECT_EQ(seen.frame.bottom - seen.frame.top, scale(165, seen.dpi));
    EXPECT_EQ(seen.button, lang_getStr(L"general/cancel"));
    ZString line = lang_getStr(L"operations/printing-pages");
    line.replaceAll(L"{PAGE_NUMBER}", L"1").replaceAll(L"{PAGE_COUNT}", L"2");
    EXPECT_EQ(seen.title, line);
    EXPECT_EQ(printedPages(), std::vector<int>({2}));
}
