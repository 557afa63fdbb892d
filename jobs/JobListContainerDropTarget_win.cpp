#include "jobs/JobListContainerDropTarget_win.h"

#include "base/Files.h"
#include "explorer/ClipFormats_win.h"
#include "explorer/FolderTransfer_win.h"
#include "jobs/JobDlgInterface_win.h"

namespace {

POINT toPoint(POINTL p) { return POINT{p.x, p.y}; }

} // namespace

DWORD JobListContainerDropTarget::shownEffect(DWORD allowed) const
{
    if (m_internal)
        return DROPEFFECT_MOVE;
    if (!accepted())
        return DROPEFFECT_NONE;
    return (allowed & DROPEFFECT_COPY) != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

STDMETHODIMP JobListContainerDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    m_internal = carriesJobWindows(data);
    const DWORD allowed = *effect;
    HRESULT hr = S_OK;
    if (!m_internal)
        hr = FileDropTarget::DragEnter(data, keyState, point, effect);
    *effect = shownEffect(allowed);
    if (m_internal && m_site != nullptr)
        m_site->showInsertMark(toPoint(point));
    return hr;
}

STDMETHODIMP JobListContainerDropTarget::DragOver(DWORD, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    *effect = shownEffect(*effect);
    if (m_internal && m_site != nullptr)
        m_site->showInsertMark(toPoint(point));
    return S_OK;
}

STDMETHODIMP JobListContainerDropTarget::DragLeave()
{
    if (m_internal && m_site != nullptr)
        m_site->clearInsertMark();
    m_internal = false;
    return FileDropTarget::DragLeave();
}

bool JobListContainerDropTarget::dropFiles(IDataObject* data)
{
    const CLIPFORMAT format = ole::transferFormatOf(data);
    std::vector<ZString> files;
    if (format == 0)
        return false;
    if (format == ole::clipFormats().fileGroupDescriptor) {
        const ZString folder = uniqueTempFolder(kTempSubFolder, ZString(), ZString());
        if (folder.isEmpty())
            return false;
        // The jobs keep private copies; the extracted files go at exit.
        deferDeletion(folder);
        ole::writeVirtualFiles(data, folder, &files);
    } else {
        std::vector<ZString> paths;
        if (!ole::readDroppedPaths(data, format, paths))
            return false;
        filterPaths(paths, files, kFilterExistingFiles);
    }
    if (files.empty())
        return false;
    m_site->addFiles(files);
    return true;
}

STDMETHODIMP JobListContainerDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD shown = shownEffect(*effect);
    const bool internal = m_internal;
    *effect = DROPEFFECT_NONE;
    DragLeave();
    if (m_site == nullptr || shown == DROPEFFECT_NONE)
        return S_OK;
    if (internal) {
        m_site->moveSelectedJobsTo(toPoint(point));
        return S_OK; // the job windows moved here; the source has nothing to do
    }
    if (dropFiles(data))
        *effect = DROPEFFECT_COPY;
    return S_OK;
}
