// What the job list window tests share: a real job list in a host window, on
// OLE and the real interpreter through the bridge, with the display mode its
// pages are shown in.
#pragma once

#include "base/Settings.h"
#include "jobs/JobListDlg_win.h"
#include "jobs/JobStore.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <memory>

class JobListTest : public InterpreterTest {
protected:
    // From SetUp: the list, width x height in a host window a little larger,
    // its job windows in the given display mode.
    void openList(uint32_t mode, int width = 880, int height = 660)
    {
        useBridge();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        m_savedMode = userConfig_getDword(L"JobDlgDisplayMode", 2);
        userConfig_setDword(L"JobDlgDisplayMode", mode);
        m_host = std::make_unique<TestHostWindow>(width + 20, height + 40);
        m_list = std::make_unique<JobListDlg>(m_store);
        ASSERT_TRUE(m_list->create(m_host->hwnd()));
        m_list->move(0, 0, width, height);
        pumpUntilIdle();
    }
    // From TearDown, before InterpreterTest::TearDown.
    void closeList()
    {
        m_list.reset();
        m_host.reset();
        userConfig_setDword(L"JobDlgDisplayMode", m_savedMode);
        OleUninitialize();
    }
    JobListDlgContainer& container() { return m_list->container(); }

    JobStore m_store;
    std::unique_ptr<TestHostWindow> m_host;
    std::unique_ptr<JobListDlg> m_list;

private:
    uint32_t m_savedMode = 2;
};
