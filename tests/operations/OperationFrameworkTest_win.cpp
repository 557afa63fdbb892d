// Child processes, abort controls and the operation classes, with the
// recording stand-in as the child.
#include "tests/operations/OperationsTestSupport.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "operations/ChildProcess.h"
#include "operations/CommandOperation.h"
#include "operations/ConversionOperations.h"

#include <windows.h>

#include <thread>

namespace {

class OperationFramework : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        SetEnvironmentVariableW(L"GSRECORDER_LOG", m_log.c_str());
        m_out = m_scratch.file(L"out.txt");
    }
    // The stand-in asked to create m_out.
    ZString command() const { return recorderPrefix() + L" \"-sOutputFile=" + m_out + L"\""; }

    ZString m_out;
    StdoutCapture m_quiet;
};

struct RecordingContext : OperationContext {
    void setMessage(const ZString& text) override { messages.push_back(text); }
    void setExpectedDuration(int32_t duration) override { durations.push_back(duration); }
    void setProgress(int32_t) override {}
    std::vector<ZString> messages;
    std::vector<int32_t> durations;
};

struct CountingOperation : CommandOperation {
    using CommandOperation::CommandOperation;
    void contextChanged() override { ++changes; }
    int changes = 0;
};

} // namespace

TEST_F(OperationFramework, AChildsOutputFollowsTheBannerAndItsExitCodeIsTheResult)
{
    SetEnvironmentVariableW(L"GSRECORDER_EXIT", L"42");
    StdoutCapture capture;
    EXPECT_EQ(runAndWait(command()), 42u);
    EXPECT_EQ(capture.text(), "================\r\n" + command().toUtf8() + "\r\n----------------\r\ngsrecorder " +
                                  m_out.toUtf8() + "\r\n");
    EXPECT_TRUE(pathExists(m_out));
}

TEST_F(OperationFramework, AProgramThatDoesNotExistGivesTheStartError)
{
    StdoutCapture capture;
    ChildProcess child(L"\"" + m_scratch.file(L"missing.exe") + L"\" x");
    child.run(nullptr);
    EXPECT_EQ(child.result(), 2u); // ERROR_FILE_NOT_FOUND
    EXPECT_FALSE(child.finished());
    EXPECT_NE(capture.text().find("missing.exe"), std::string::npos);
}

TEST_F(OperationFramework, CommandOperationRunsItsCommandLineOnlyWhenItHasOne)
{
    StdoutCapture capture;
    CommandOperation none;
    none.run();
    EXPECT_EQ(capture.text(), "") << "no process, no banner";

    CommandOperation one(command());
    one.run();
    EXPECT_EQ(recordedCommandLines().size(), 1u);
    EXPECT_FALSE(one.isCancelled());
}

TEST_F(OperationFramework, ContextsArriveOnceAndNoneKeepsTheNullContext)
{
    CountingOperation operation;
    operation.setContext(nullptr);
    EXPECT_EQ(operation.changes, 0);
    RecordingContext context;
    operation.setContext(&context);
    EXPECT_EQ(operation.changes, 1);

    // The conversions report their message and a duration from the input size.
    const ZString in = m_scratch.file(L"in.ps");
    ASSERT_TRUE(writeFileBytes(in, std::string(12345, '%')));
    PsToPdfOperationImpl toPdf(in, m_out);
    toPdf.setContext(&context);
    PdfToTextOperationImpl toText(in, m_out);
    toText.setContext(&context);
    PdfToTextOperationImpl missing(m_scratch.file(L"missing.pdf"), m_out);
    missing.setContext(&context);
    ASSERT_EQ(context.messages.size(), 3u);
    EXPECT_EQ(context.messages[0], lang_getStr(L"operations/creating-pdf"));
    EXPECT_EQ(context.messages[0], L"Creating PDF file...");
    EXPECT_EQ(context.messages[1], lang_getStr(L"operations/extracting-text"));
    EXPECT_EQ(context.durations, (std::vector<int32_t>{12, 1012, 1000}));
}

TEST_F(OperationFramework, TheWrapperForwardsToItsInnerOperation)
{
    auto* inner = new CountingOperation(command());
    PsToPdfOperation outer(inner);
    RecordingContext context;
    outer.setContext(&context);
    EXPECT_EQ(inner->changes, 2) << "once through contextChanged, once through the forwarded setContext";
    outer.run();
    EXPECT_EQ(recordedCommandLines().size(), 1u);
    outer.cancel();
    EXPECT_TRUE(outer.isCancelled());
    EXPECT_TRUE(inner->isCancelled());
    EXPECT_TRUE(inner->abortControl().isAborted());
}

TEST_F(OperationFramework, ACancelBeforeTheCommandLetsItRunToItsEnd)
{
    CommandOperation operation;
    operation.cancel();
    EXPECT_TRUE(operation.runCommand(command())) << "reports the cancel";
    EXPECT_EQ(recordedCommandLines().size(), 1u);
    EXPECT_TRUE(pathExists(m_out));
}

TEST_F(OperationFramework, ACancelTerminatesTheRunningCommandOnce)
{
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
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(operation.isCancelled());
    EXPECT_TRUE(deleteFile(m_out, false)) << "the caller deletes the partial output";

    // Later commands under the same control still start and run to their end.
    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", nullptr);
    EXPECT_TRUE(operation.runCommand(command()));
    EXPECT_TRUE(pathExists(m_out));
    EXPECT_EQ(recordedCommandLines().size(), 2u);
}
