#include "app/InterimJobs.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"

namespace {
int g_newJobCounter = 0;

ZString newJobName()
{
    return ZString::format(L"%ls%d", lang_getStr(L"quillet/jobs/~name-for-new-job").c_str(), g_newJobCounter++);
}
} // namespace

InterimJobStore::~InterimJobStore()
{
    for (const auto& job : m_jobs)
        deleteFile(job->privateCopy, true);
}

const InterimJob* InterimJobStore::createJobFromFile(const ZString& name, const ZString& path, HWND owner)
{
    ZString ext = extensionOf(path);
    if (!isFile(path) || !ext.toLower().equals(L".pdf"))
        return nullptr;
    const ZString copy = uniqueTempPath(kTempSubFolder, ZString(), L".pdf");
    if (!copyFileRetry(path, copy, owner))
        return nullptr;
    m_jobs.push_back(std::make_unique<InterimJob>(InterimJob{name, copy, folderPart(path)}));
    return m_jobs.back().get();
}

bool InterimJobList::create(HWND parent)
{
    m_hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                             GetModuleHandleW(nullptr), nullptr);
    return m_hwnd != nullptr;
}

bool InterimJobList::addJobFromFile(const ZString& path, const ZString& name)
{
    if (!pathExists(path))
        return false;
    const InterimJob* job = m_store.createJobFromFile(name.isEmpty() ? newJobName() : name, path, m_hwnd);
    if (job == nullptr)
        return false;
    SendMessageW(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(job->name.c_str()));
    return true;
}
