// Job windows dragged out of the list and files dropped on it, with real
// OLE objects, real jobs and the real format dialog.
#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "explorer/ClipFormats_win.h"
#include "explorer/FileDataObject_win.h"
#include "explorer/Medium_win.h"
#include "explorer/TransferFormats.h"
#include "gui/Messages.h"
#include "jobs/JobDlgDataObject_win.h"
#include "jobs/JobFileNames.h"
#include "jobs/JobListContainerDropTarget_win.h"
#include "jobs/JobStore.h"
#include "suite/formatoptions/FormatDialog.h"
#include "tests/explorer/ExplorerTestSupport_win.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <thread>

using namespace ole;

namespace {

// Presses a button of the format dialog once it shows, as the user would.
class FormatDialogAnswer {
public:
    explicit FormatDialogAnswer(WPARAM button)
        : m_thread([button] {
              HWND dialog = nullptr;
              // Only this process's dialog: other test programs may show theirs.
              waitFor([&] {
                  const ZString title = lang_getStr(kFormatDialogTitleKey);
                  for (dialog = FindWindowExW(nullptr, nullptr, L"#32770", title.c_str()); dialog != nullptr;
                       dialog = FindWindowExW(nullptr, dialog, L"#32770", title.c_str())) {
                      DWORD process = 0;
                      GetWindowThreadProcessId(dialog, &process);
                      if (process == GetCurrentProcessId() && IsWindowVisible(dialog))
                          return true;
                  }
                  return false;
              });
              if (dialog != nullptr)
                  PostMessageW(dialog, WM_COMMAND, button, 0);
          })
    {
    }
    ~FormatDialogAnswer() { m_thread.join(); }

private:
    std::thread m_thread;
};

class ListSite : public JobListDropSite {
public:
    void showInsertMark(POINT p) override { mark = p.y; }
    void clearInsertMark() override { mark = -1; }
    void moveSelectedJobsTo(POINT p) override { movedTo = p.y; }
    void addFiles(const std::vector<ZString>& f) override { files = f; }
    long mark = -1;
    long movedTo = -1;
    std::vector<ZString> files;
};

class JobDragDrop : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        setMessageAnswerer([](const ZString&, const ZString&, unsigned) { return IDOK; });
    }
    void TearDown() override
    {
        setMessageAnswerer({});
        OleUninitialize();
        InterpreterTest::TearDown();
    }
    Job* sampleJob(const wchar_t* name)
    {
        ZString reason;
        return m_store.createJobFromFile(name, sourcePath(L"samples/sample.pdf"), reason);
    }
    ComPtr<JobDlgDataObject> dragOf(std::vector<Job*> jobs)
    {
        return ComPtr<JobDlgDataObject>(new JobDlgDataObject([this, jobs] {
            ++m_asked;
            return jobs;
        }));
    }
    JobStore m_store;
    int m_asked = 0;
};

POINTL at(int y) { return POINTL{10, y}; }

} // namespace

TEST(JobFileNamesTest, RepeatedNamesCountTheirEarlierUses)
{
    JobFileNames names(L"pdf");
    EXPECT_EQ(names.next(L"Report"), L"Report.pdf");
    EXPECT_EQ(names.next(L"Other"), L"Other.pdf");
    EXPECT_EQ(names.next(L"report"), L"report (1).pdf");
    EXPECT_EQ(names.next(L"Report"), L"Report (2).pdf");
    EXPECT_EQ(names.next(L"a/b"), L"a_b.pdf");
}

TEST_F(JobDragDrop, JobsLeaveAsVirtualFilesInTheChosenFormat)
{
    Job* report = sampleJob(L"Report");
    Job* again = sampleJob(L"Report");
    Job* empty = m_store.createEmptyJob();
    ASSERT_TRUE(report != nullptr && again != nullptr);
    auto data = dragOf({report, empty, again});
    IJobDlg* jobs = nullptr;
    ASSERT_EQ(data->QueryInterface(IID_IJobDlg, reinterpret_cast<void**>(&jobs)), S_OK);
    jobs->Release();

    const ClipFormats& f = clipFormats();
    FORMATETC hdrop = formatEtc(f.hdrop);
    Medium medium;
    EXPECT_EQ(data->GetData(&hdrop, medium.put()), DV_E_FORMATETC);
    EXPECT_EQ(m_asked, 0);

    std::string bytes;
    {
        FormatDialogAnswer answer(IDOK);
        ASSERT_TRUE(readGlobalFormat(data.get(), f.fileGroupDescriptor, bytes));
    }
    std::vector<FileDescriptor> descriptors;
    ASSERT_TRUE(readFileGroupDescriptor(bytes, descriptors));
    ASSERT_EQ(descriptors.size(), 2u);
    EXPECT_EQ(descriptors[0].name, L"Report.pdf");
    EXPECT_EQ(descriptors[1].name, L"Report (1).pdf");

    // The files live in a folder of their own under the program's temporary folder.
    const std::vector<ZString>& files = data->files();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_TRUE(folderPart(folderPart(files[0])).equalsIgnoreCase(joinPath(tempFolder(), kTempSubFolder)));
    EXPECT_EQ(pdfPageCount(files[1]), 3);
    const std::string saved = readFileBytes(files[1]);
    EXPECT_EQ(descriptors[1].size, saved.size());
    FORMATETC contents = formatEtc(f.fileContents, TYMED_ISTREAM, 1);
    ASSERT_EQ(data->GetData(&contents, medium.put()), S_OK);
    EXPECT_TRUE(readStream(medium.get().pstm) == saved);
    // Asked once: later requests find the same files.
    ASSERT_TRUE(readGlobalFormat(data.get(), f.fileGroupDescriptor, bytes));
    EXPECT_EQ(m_asked, 1);
}

TEST_F(JobDragDrop, ACancelledFormatDialogGivesNothing)
{
    Job* report = sampleJob(L"Report");
    ASSERT_NE(report, nullptr);
    auto data = dragOf({report});
    std::string bytes;
    {
        FormatDialogAnswer answer(IDCANCEL);
        EXPECT_FALSE(readGlobalFormat(data.get(), clipFormats().fileGroupDescriptor, bytes));
    }
    EXPECT_TRUE(data->files().empty());
    EXPECT_EQ(m_asked, 0);
}

TEST_F(JobDragDrop, JobWindowsDraggedInsideShowMoveAndReportNone)
{
    auto data = dragOf({});
    ListSite site;
    auto target = makeObject<JobListContainerDropTarget>(site);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragEnter(data.get(), MK_LBUTTON, at(40), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(site.mark, 40);
    target->DragOver(MK_LBUTTON, at(70), &(effect = DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(site.mark, 70);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->Drop(data.get(), 0, at(75), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(site.movedTo, 75);
    EXPECT_EQ(site.mark, -1);
    EXPECT_TRUE(site.files.empty());
    EXPECT_EQ(m_asked, 0); // no format dialog for a move inside the list
}

TEST_F(JobDragDrop, FilesFromOutsideAreCopiesAndVirtualOnesAreExtractedFirst)
{
    ScratchFolder scratch;
    const ZString original = scratch.file(L"mine.pdf");
    ASSERT_TRUE(writeFileBytes(original, "%PDF-1.4 mine"));
    ListSite site;
    auto target = makeObject<JobListContainerDropTarget>(site);

    auto paths = makeObject<FileDataObject>(std::vector<ZString>{original, scratch.path()}, ZString(), false);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(paths.get(), MK_LBUTTON, at(5), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->Drop(paths.get(), 0, at(5), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(site.files, std::vector<ZString>{original});
    EXPECT_TRUE(pathExists(original));
    EXPECT_EQ(site.mark, -1);

    auto mail = makeObject<VirtualFileSource>(
        std::vector<VirtualEntry>{{L"attached.pdf", "%PDF-1.4 a"}, {L"..\\evil.pdf", "no"}}, true);
    target->DragEnter(mail.get(), MK_LBUTTON, at(5), &(effect = DROPEFFECT_COPY | DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->Drop(mail.get(), 0, at(5), &effect), S_OK);
    ASSERT_EQ(site.files.size(), 1u);
    EXPECT_EQ(fileNamePart(site.files[0]), L"attached.pdf");
    EXPECT_TRUE(folderPart(folderPart(site.files[0])).equalsIgnoreCase(joinPath(tempFolder(), kTempSubFolder)));
    EXPECT_EQ(readFileBytes(site.files[0]), "%PDF-1.4 a");
    EXPECT_FALSE(pathExists(joinPath(folderPart(folderPart(site.files[0])), L"evil.pdf")));

    // A source that only allows moving is not taken: the original would go.
    target->DragEnter(paths.get(), MK_LBUTTON, at(5), &(effect = DROPEFFECT_MOVE));
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}
