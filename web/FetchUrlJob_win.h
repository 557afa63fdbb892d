// One fetchUrl call: parsed on the GUI thread, run on a worker, answered on
// the GUI thread through the argument's "callback".
#pragma once

#include "http/BodyStreams.h"
#include "web/AsyncJob.h"
#include "web/ComPtr.h"
#include "web/FetchUrlRequest.h"
#include "web/GuiSynchronizedOp_win.h"
#include "web/ScriptPage.h"

class FetchUrlJob : public AsyncJob, public GuiSynchronizedOp {
public:
    FetchUrlJob(ScriptPage* page, IDispatch* argument);

    void run() override;
    void runOnGui() override;

    const FetchUrlRequest& request() const { return m_request; }

private:
    ComPtr<IDispatch> buildResult(IDispatch* global);

    ScriptPage* m_page;
    ComPtr<IDispatch> m_argument;
    FetchUrlRequest m_request;
    http::BufferOutput m_output;
};
