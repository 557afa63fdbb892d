// Printing a job without its windows: composed first, the job's page numbers
// as its selection, on the test prefix's file printer.
#include "jobs/PrintJob.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "jobs/Job.h"
#include "jobs/JobStore.h"
#include "operations/Ghostscript.h"
#include "tests/operations/OperationsTestSupport.h"

#include <gtest/gtest.h>

namespace {

class JobPrinting : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
    }
    StdoutCapture m_quiet;
};

} // namespace

TEST_F(JobPrinting, TheComposedJobPrintsItsSelectionInSelectionOrder)
{
    const ZString ps = m_scratch.file(L"squares.ps");
    const ZString pdf = m_scratch.file(L"squares.pdf");
    writeFileBytes(ps, squaresPostScript(4));
    psToPdf(ps, pdf, nullptr);
    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"squares", pdf, reason);
    ASSERT_NE(job, nullptr) << reason.toUtf8();
    job->movePages(0, {4}); // the job's order is now 4 1 2 3
    const bool unsaved = job->isUnsaved();
    ZString composed;
    {
        JobPrint print(*job, {3, 1}, nullptr);
        ASSERT_TRUE(print.isReady());
        composed = print.composedFile();
        EXPECT_EQ(print.printer().pageCount(), 4u);
        EXPECT_TRUE(print.printer().hasSelection());
        const ZString printed = m_scratch.file(L"printed.ps");
        print.printer().setOutputFile(printed);
        PrinterDc dc;
        ASSERT_NE(dc.get(), nullptr);
        print.printer().printSelection(dc.get());
        EXPECT_EQ(squaresOnPages(printed, m_scratch.file(L"pages")), std::vector<int>({2, 4}));
    }
    EXPECT_EQ(job->isUnsaved(), unsaved);
    EXPECT_FALSE(pathExists(composed));

    // Without a selection the printer offers none.
    JobPrint whole(*job, {}, nullptr);
    ASSERT_TRUE(whole.isReady());
    EXPECT_FALSE(whole.printer().hasSelection());
}
