#include "jobs/JobListDlg_win.h"

#include "base/Lang.h"
#include "gui/Dpi.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobStore.h"

JobListDlg::JobListDlg(JobStore& store) : m_store(store), m_container(store) {}

JobListDlg::~JobListDlg()
{
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        releaseHandle();
        DestroyWindow(window);
    }
}

bool JobListDlg::create(HWND parent)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (!registerClass(kClassName, module, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    if (!BaseWindow::create(0, kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, parent,
                            nullptr, module))
        return false;
    if (!m_container.create(hwnd(), JobListDlgContainer::kControlId))
        return false;
    m_container.setAddFile([this](const ZString& path, const ZString& name) { addJobFromFile(path, name); });
    m_container.setOnChange([this] { m_toolbar.update(m_container.listState()); });
    if (!m_toolbar.create(hwnd()))
        return false;
    m_toolbar.update(m_container.listState());
    layout();
    return true;
}

void JobListDlg::setAddFile(std::function<void(const ZString&, const ZString&)> addFile)
{
    m_container.setAddFile(std::move(addFile));
}

void JobListDlg::layout()
{
    const RECT client = clientRect();
    const int bar = scale(46, dpiOf(hwnd())); // the buttons and a margin, level with the explorer's head
    m_toolbar.move(0, 0, client.right, bar);
    m_container.move(0, bar, client.right, std::max<int>(0, client.bottom - bar));
}

bool JobListDlg::addJobFromFile(const ZString& path, const ZString& name)
{
    Job* job = ::addJobFromFile(m_store, path, name, GetAncestor(hwnd(), GA_ROOT));
    if (job == nullptr)
        return false;
    m_container.addJobWindow(*job);
    return true;
}

bool JobListDlg::addEmptyJob()
{
    Job* job = m_store.createEmptyJob();
    if (job == nullptr)
        return false;
    m_container.addJobWindow(*job);
    return true;
}

Job* JobListDlg::currentJob() const
{
    const std::vector<Job*> selected = m_container.selectedJobs();
    return selected.size() == 1 ? selected.front() : nullptr;
}

std::vector<Job*> JobListDlg::jobsWithPages() const
{
    std::vector<Job*> jobs;
    for (int i = 0; i < m_store.jobCount(); ++i)
        if (m_store.job(i)->pageCount() > 0)
            jobs.push_back(m_store.job(i));
    return jobs;
}

bool JobListDlg::hasUnsavedJobs() const { return m_store.unsavedJobCount() > 0; }

LRESULT JobListDlg::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETFONT:
        m_container.setFont(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_toolbar.hwnd()) {
            m_container.command(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (const wchar_t* key = JobListToolbar::tooltipKey(static_cast<int>(header->idFrom)))
                info->lpszText = const_cast<wchar_t*>(lang_getStr(key).c_str());
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}
