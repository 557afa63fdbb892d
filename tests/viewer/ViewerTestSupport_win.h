// What the viewer tests share: the real interpreter through the bridge, copies
// of the sample in a scratch folder, and waiting for the render thread while
// the window messages are dispatched.
#pragma once

#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <functional>
#include <memory>

class PDFViewerBase;

class ViewerTest : public InterpreterTest {
protected:
    void SetUp() override;
    // A fresh copy of samples/sample.pdf (3 pages) under the name given.
    ZString sampleCopy(const wchar_t* name);
};

// A page display of the sample ("Report", 3 pages), 600 x 700 in a host
// window, showing page 1.
class PageDisplayTest : public ViewerTest {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TestHostWindow> m_host;
    std::unique_ptr<PDFViewerBase> m_display;
};

// Dispatches messages until the condition holds; false after 120 s.
bool pumpUntil(const std::function<bool()>& condition);
// Until the display shows the page it was asked for and its thread waits.
bool waitUntilShown(PDFViewerBase& display);
