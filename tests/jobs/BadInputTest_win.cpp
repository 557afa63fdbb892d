// What a user meets with files that are not what they claim, and with saves
// that go wrong: one clear message naming the file or the job, or a correct
// job; a cancel is no error; nothing is left behind.
#include "operations/InterpreterCheck.h"
#include "suite/settings/SettingsStore.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "gui/Messages.h"
#include "jobs/Compose.h"
#include "jobs/JobStore.h"
#include "jobs/SaveJobs.h"
#include "operations/Ghostscript.h"
#include "operations/PdfSource.h"
#include "tests/operations/OperationsTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <thread>

namespace {

class BadInput : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        setMessageAnswerer([this](const ZString& text, const ZString&, unsigned) {
            m_messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        setMessageAnswerer({});
        SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", nullptr);
        InterpreterTest::TearDown();
    }

    ZString file(const wchar_t* name, const std::string& bytes)
    {
        const ZString path = m_scratch.file(name);
        writeFileBytes(path, bytes);
        return path;
    }

    static std::vector<ZString> ourTempFiles()
    {
        std::vector<ZString> files;
        listFolder(joinPath(tempFolder(), kTempSubFolder), &files, nullptr, kListFiles);
        return files;
    }

    std::vector<ZString> m_messages;
};

BOOL CALLBACK findDialog(HWND window, LPARAM result)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

} // namespace

TEST_F(BadInput, FilesWithoutPagesAreRefusedWithOneMessageNamingTheFile)
{
    useBridge(); // the real interpreter tries its repair
    std::mt19937 random(11);
    std::string noise(5000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string sample = readFileBytes(sourcePath(L"samples/sample.pdf"));
    const std::vector<ZString> before = ourTempFiles();

    JobStore store;
    for (const auto& [name, bytes] : {std::pair{L"empty.pdf", std::string()}, std::pair{L"noise.pdf", noise},
                                      std::pair{L"header only.pdf", std::string("%PDF-1.4\n")}}) {
        m_messages.clear();
        const ZString path = file(name, bytes);
        EXPECT_EQ(addJobFromFile(store, path, L"", nullptr), nullptr) << path.toUtf8();
        ASSERT_EQ(m_messages.size(), 1u) << path.toUtf8();
        EXPECT_NE(m_messages.front().find(path), -1) << m_messages.front().toUtf8();
        EXPECT_NE(m_messages.front().find(L"Reason: Error reading PDF Info:"), -1) << m_messages.front().toUtf8();
    }
    EXPECT_EQ(store.jobCount(), 0);

    // A truncated file that the interpreter mends is a correct job, without a word.
    m_messages.clear();
    Job* mended = addJobFromFile(store, file(L"truncated.pdf", sample.substr(0, sample.size() * 2 / 3)), L"", nullptr);
    ASSERT_NE(mended, nullptr);
    EXPECT_EQ(mended->pageCount(), 3);
    EXPECT_TRUE(m_messages.empty());
    store.removeJob(mended);
    EXPECT_EQ(ourTempFiles(), before);
}

TEST_F(BadInput, TheLibrarysGermanMessagesReachTheReasonUnchanged)
{
    // A cross-reference stream whose field widths ask for 5-byte numbers, in
    // a file that holds nothing else a repair could make a document of.
    std::string bytes = "%PDF-1.5\n";
    const size_t table = bytes.size();
    bytes += "1 0 obj\n<< /Type /XRef /Size 2 /W [1 5 2] /Length 16 >>\nstream\n" + std::string(16, '\x01') +
             "\nendstream\nendobj\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
    JobStore store;
    ZString reason;
    EXPECT_EQ(store.createJobFromFile(L"x", file(L"wide.pdf", bytes), reason), nullptr);
    EXPECT_EQ(reason, ZString(L"Error reading PDF Info:\nDataBuffer::readBytesAsInt() anzahl nicht g\x00FCltig."));
}

TEST_F(BadInput, CancellingTheRepairIsNoError)
{
    useRecorder();
    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", L"20000");
    const ZString broken = file(L"slow.pdf", "%PDF-1.4 nothing else");
    const DWORD self = GetCurrentThreadId();
    std::thread user([&] {
        waitFor([&] { return !recordedCommandLines().empty(); }); // the repair runs
        HWND dialog = nullptr;
        for (int i = 0; i < 6000 && dialog == nullptr; ++i) {
            EnumThreadWindows(self, findDialog, reinterpret_cast<LPARAM>(&dialog));
            Sleep(10);
        }
        if (dialog != nullptr)
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    JobStore store;
    EXPECT_EQ(addJobFromFile(store, broken, L"", nullptr), nullptr);
    user.join();
    EXPECT_EQ(recordedCommandLines().size(), 1u);
    EXPECT_TRUE(m_messages.empty()) << m_messages.front().toUtf8();
    EXPECT_EQ(store.jobCount(), 0);
}

TEST_F(BadInput, ASourceTheInterpreterCannotRewriteIsComposedAsItIs)
{
    // An interpreter that cannot start writes nothing: every rewrite and every range fails.
    std::string bytes = readFileBytes(sourcePath(L"samples/sample.pdf"));
    const size_t producer = bytes.find("(GPL Ghostscript 10.00.0)");
    ASSERT_NE(producer, std::string::npos);
    bytes.replace(producer, 25, "(Other Maker tool 10.0.0)");
    const ZString source = file(L"foreign.pdf", bytes);
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"foreign job", source, reason);
    ASSERT_NE(job, nullptr) << reason.toUtf8();
    useInterpreter(quote(m_scratch.file(L"no such interpreter.exe")));
    settingsStore_setDword(SettingsScope::Program, L"ComposeWithInterpreter", 1);
    resetInterpreterReport();
    PdfSource& document = *job->page(1)->document;
    EXPECT_EQ(document.normalizedPdf(nullptr), document.path());

    // The save still fails here, and the user is told which job and why,
    // after being told once that the interpreter is missing.
    job->movePages(0, {3});
    EXPECT_FALSE(saveJob(*job, m_scratch.file(L"out.pdf"), nullptr));
    settingsStore_setDword(SettingsScope::Program, L"ComposeWithInterpreter", 0);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_NE(m_messages.front().find(L"no such interpreter.exe"), -1) << m_messages.front().toUtf8();
    EXPECT_NE(m_messages.back().find(L"\"foreign job\""), -1) << m_messages.back().toUtf8();
    EXPECT_TRUE(job->isUnsaved());
}

TEST_F(BadInput, AComposedFileWithoutAllTheJobsPagesIsNeverSaved)
{
    useBridge();
    // A file whose page tree claims three pages but holds two: the third
    // cannot be extracted, so composing would silently lose it.
    const ZString ps = m_scratch.file(L"two.ps");
    writeFileBytes(ps, "%!PS\n/Helvetica findfont 48 scalefont setfont\n"
                       "72 600 moveto (ONE) show showpage 72 600 moveto (TWO) show showpage\n");
    const ZString two = m_scratch.file(L"two.pdf");
    psToPdf(ps, two, nullptr);
    std::string bytes = readFileBytes(two);
    const size_t count = bytes.find("/Count 2");
    ASSERT_NE(count, std::string::npos);
    bytes.replace(count, 8, "/Count 3");
    const ZString claims = file(L"claims three.pdf", bytes);

    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"short", claims, reason);
    ASSERT_NE(job, nullptr) << reason.toUtf8();
    ASSERT_EQ(job->pageCount(), 3);
    job->movePages(3, {1}); // 2 3 1: the range 2-3 gives one page only
    const ZString target = m_scratch.file(L"short out.pdf");
    EXPECT_FALSE(saveJob(*job, target, nullptr));
    EXPECT_FALSE(pathExists(target));
    EXPECT_TRUE(job->isUnsaved());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages.front().find(L"\"short\""), -1) << m_messages.front().toUtf8();
    EXPECT_NE(m_messages.front().find(L"3"), -1) << m_messages.front().toUtf8();
}
