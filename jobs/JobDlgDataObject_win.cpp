#include "jobs/JobDlgDataObject_win.h"

#include "base/Files.h"
#include "base/FormatOptions.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "gui/Messages.h"
#include "jobs/Job.h"
#include "jobs/JobFileNames.h"
#include "jobs/SaveJobs.h"

namespace {

// Releases the format-options object when it goes.
class FormatDialog {
public:
    FormatDialog() : m_object(formatOptions_create()) {}
    ~FormatDialog()
    {
        if (m_object != nullptr)
            m_object->release();
    }
    FormatDialog(const FormatDialog&) = delete;
    FormatDialog& operator=(const FormatDialog&) = delete;
    FormatOptions* operator->() const { return m_object; }

private:
    FormatOptions* m_object;
};

} // namespace

bool carriesJobWindows(IUnknown* data)
{
    if (data == nullptr)
        return false;
    IJobDlg* jobs = nullptr;
    if (FAILED(data->QueryInterface(IID_IJobDlg, reinterpret_cast<void**>(&jobs))) || jobs == nullptr)
        return false;
    jobs->Release();
    return true;
}

JobDlgDataObject::JobDlgDataObject(std::function<std::vector<Job*>()> selectedJobs)
    : ole::FileDataObject({}, ZString(), true), m_selectedJobs(std::move(selectedJobs))
{
}

STDMETHODIMP JobDlgDataObject::QueryInterface(REFIID riid, void** object)
{
    if (object != nullptr && IsEqualIID(riid, IID_IJobDlg)) {
        *object = static_cast<IJobDlg*>(this);
        AddRef();
        return S_OK;
    }
    return ole::FileDataObject::QueryInterface(riid, object);
}

void JobDlgDataObject::populate()
{
    FormatDialog dialog;
    dialog->setFromJobWindow(true);
    dialog->setForAction(true);
    dialog->setContinueCaption(lang_getStr(L"format-options/continue"));
    if (dialog->showDialog(messageOwner()) != 0 || dialog->format() == nullptr)
        return;
    const ZString format(dialog->format());
    const FormatOptionSet options = dialog->options();
    const ZString folder = uniqueTempFolder(kTempSubFolder, ZString(), ZString());
    if (folder.isEmpty())
        return;
    // The receiving program may read the files after the drag: they go at exit.
    deferDeletion(folder);
    JobFileNames names(format);
    std::vector<ZString> files;
    for (Job* job : m_selectedJobs ? m_selectedJobs() : std::vector<Job*>{}) {
        if (job == nullptr || job->isEmpty())
            continue;
        const ZString target = freeNumberedName(joinPath(folder, names.next(job->name())));
        if (saveJobWithFormat(*job, format, target, options) && isFile(target))
            files.push_back(target);
    }
    setBaseFolder(folder);
    setFiles(std::move(files));
}
