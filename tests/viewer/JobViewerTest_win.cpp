// The job viewer in a real frame with real pages: job page numbers, walking
// from one source file into the next, the toolbar's labels, closing, and the
// job's change rule. Leaves a picture of the viewer at fit page.
#include "jobs/Job.h"
#include "jobs/JobStore.h"
#include "operations/PdfSource.h"
#include "tests/support/WindowTestSupport_win.h"
#include "tests/viewer/ViewerTestSupport_win.h"
#include "viewer/JobViewer.h"
#include "viewer/PDFViewerBase.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

namespace {

class JobViewing : public ViewerTest {};

TEST_F(JobViewing, WalksAcrossSourcesWithJobPageNumbers)
{
    JobStore store;
    PdfSource* first = store.addDocument(std::make_unique<PdfSource>(sampleCopy(L"a.pdf"), L"Walk"));
    PdfSource* second = store.addDocument(std::make_unique<PdfSource>(sampleCopy(L"b.pdf"), L"Walk"));
    TestHostWindow owner(200, 100);
    Job job(L"Walk", &store);
    job.setInitialPages({{first, 1, 0}, {first, 2, 0}, {first, 3, 0}, {second, 1, 0}, {second, 2, 0}});
    installJobViewers(store, owner.hwnd());

    job.showInViewer(SW_SHOW, 3);
    auto* viewer = dynamic_cast<JobViewer*>(job.viewer());
    ASSERT_NE(viewer, nullptr);
    viewer->move(60, 40, 700, 820);
    EXPECT_TRUE(viewer->isVisible());
    ASSERT_EQ(viewer->pageDisplay(), first->viewer().get());
    ASSERT_TRUE(waitUntilShown(*viewer->pageDisplay()));
    EXPECT_EQ(first->viewer()->currentPage(), 3);
    EXPECT_EQ(viewer->toolbar().pageField(), ZString(L"3"));
    EXPECT_EQ(viewer->toolbar().pageCountLabel(), ZString(L"/ 5"));

    // The job's next page, in the second file, is made ready there meanwhile.
    ASSERT_TRUE(pumpUntil([&] { return second->viewer()->isPageCached(1) && second->viewer()->isIdle(); }));
    EXPECT_EQ(second->viewer()->renderCount(), 1);

    // Zoom and rotation belong to each file's display: they do not carry over.
    viewer->runCommand(PDFViewer::kRotateRight);
    viewer->runCommand(PDFViewer::kZoomIn);
    const double firstZoom = first->viewer()->zoom();

    // Next from the last page of the first file: page 1 of the second file.
    viewer->send(WM_COMMAND, MAKEWPARAM(PDFViewer::kNextPage, BN_CLICKED),
                 reinterpret_cast<LPARAM>(viewer->toolbar().hwnd()));
    EXPECT_EQ(viewer->currentJobPage(), 4);
    ASSERT_EQ(viewer->pageDisplay(), second->viewer().get());
    EXPECT_EQ(second->viewer()->currentPage(), 1);
    EXPECT_EQ(GetParent(first->viewer()->hwnd()), nullptr); // detached again
    ASSERT_TRUE(waitUntilShown(*viewer->pageDisplay()));
    EXPECT_EQ(viewer->toolbar().pageField(), ZString(L"4"));
    EXPECT_EQ(second->viewer()->rotation(), 0);
    EXPECT_NE(second->viewer()->zoom(), firstZoom);
    EXPECT_EQ(second->viewer()->renderCount(), 2); // page 1 was ready; then page 2 ahead

    // A typed job page number.
    SetWindowTextW(viewer->toolbar().pageFieldWindow(), L"2");
    SendMessageW(viewer->toolbar().pageFieldWindow(), WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(viewer->currentJobPage(), 2);
    ASSERT_EQ(viewer->pageDisplay(), first->viewer().get());
    ASSERT_TRUE(waitUntilShown(*viewer->pageDisplay()));
    EXPECT_EQ(first->viewer()->rotation(), 90);
    EXPECT_EQ(first->viewer()->zoom(), firstZoom);
    viewer->runCommand(PDFViewer::kRotateLeft);

    viewer->runCommand(PDFViewer::kFitPage);
    pumpUntil([] { return true; });
    const double zoom = viewer->pageDisplay()->zoom();
    EXPECT_EQ(viewer->toolbar().zoomLabel(), ZString::format(L"%d%%", static_cast<int>(zoom * 100)));
    EXPECT_EQ(viewer->toolbar().pageField(), ZString(L"2"));
    Sleep(200);
    pumpUntil([] { return true; });
    WindowPicture(viewer->hwnd(), false).savePng(picturePath(L"job-viewer.png"));

    // Closing only hides; a change of the job closes and deletes the viewer.
    viewer->send(WM_CLOSE);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(job.viewer(), viewer);
    job.showInViewer(SW_SHOW, -1);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->currentJobPage(), 2); // its own page
    job.rotateAll(90);
    EXPECT_EQ(job.viewer(), nullptr);
    EXPECT_EQ(store.currentViewerJob(), nullptr);
}

TEST_F(JobViewing, TwoJobsOfOneFileTakeItsDisplayInTurn)
{
    JobStore store;
    PdfSource* file = store.addDocument(std::make_unique<PdfSource>(sampleCopy(L"shared.pdf"), L"Shared"));
    TestHostWindow owner(200, 100);
    Job a(L"A", &store), b(L"B", &store);
    a.setInitialPages({{file, 1, 0}, {file, 2, 0}});
    b.setInitialPages({{file, 2, 0}});
    installJobViewers(store, owner.hwnd());

    a.showInViewer(SW_SHOW, 1);
    b.showInViewer(SW_SHOW, -1);
    auto* first = dynamic_cast<JobViewer*>(a.viewer());
    auto* second = dynamic_cast<JobViewer*>(b.viewer());
    ASSERT_TRUE(first != nullptr && second != nullptr);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(GetParent(file->viewer()->hwnd()), second->hwnd());
    EXPECT_EQ(file->viewer()->currentPage(), 2);

    // Paging in the viewer that gave the display away does nothing.
    first->runCommand(PDFViewer::kNextPage);
    EXPECT_EQ(file->viewer()->currentPage(), 2);
    EXPECT_EQ(GetParent(file->viewer()->hwnd()), second->hwnd());

    a.showInViewer(SW_SHOW, -1);
    EXPECT_EQ(GetParent(file->viewer()->hwnd()), first->hwnd());
    EXPECT_EQ(file->viewer()->currentPage(), 1);
    b.rotateAll(90); // the other viewer goes without taking the display along
    EXPECT_EQ(GetParent(file->viewer()->hwnd()), first->hwnd());
    ASSERT_TRUE(waitUntilShown(*file->viewer()));
}

TEST(ViewerFrame, PageCommandsNeedADisplay)
{
    TestHostWindow owner(200, 100);
    PDFViewer viewer;
    ASSERT_TRUE(viewer.create(owner.hwnd(), L"Empty"));
    for (int command = PDFViewer::kPreviousPage; command <= PDFViewer::kZoomOut; ++command)
        viewer.runCommand(command);
    EXPECT_EQ(viewer.pageDisplay(), nullptr);
    EXPECT_EQ(viewer.toolbar().zoomLabel(), ZString());
    EXPECT_EQ(viewer.toolbar().buttonCount(), 12);
    wchar_t name[64] = {};
    GetClassNameW(viewer.hwnd(), name, 64);
    EXPECT_EQ(ZString(name), ZString(L"PDFViewerClass"));
}

} // namespace
