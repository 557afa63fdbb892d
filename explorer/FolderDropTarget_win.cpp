#include "explorer/FolderDropTarget_win.h"

#include "explorer/FolderTransfer_win.h"

namespace ole {

namespace {

POINT toPoint(POINTL p) { return POINT{p.x, p.y}; }

} // namespace

STDMETHODIMP FolderDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect)
{
    const HRESULT hr = FileDropTarget::DragEnter(data, keyState, point, effect);
    if (accepted() && m_site != nullptr)
        m_site->highlightFolderAt(toPoint(point));
    return hr;
}

STDMETHODIMP FolderDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect)
{
    const HRESULT hr = FileDropTarget::DragOver(keyState, point, effect);
    if (accepted() && m_site != nullptr)
        m_site->highlightFolderAt(toPoint(point));
    return hr;
}

STDMETHODIMP FolderDropTarget::DragLeave()
{
    if (m_site != nullptr)
        m_site->clearHighlight();
    return FileDropTarget::DragLeave();
}

STDMETHODIMP FolderDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD chosen = effectFor(*effect);
    *effect = DROPEFFECT_NONE;
    if (m_site == nullptr)
        return S_OK;
    m_site->clearHighlight();
    if (!accepted() || chosen == DROPEFFECT_NONE)
        return S_OK;
    ZString folder = m_site->folderAt(toPoint(point));
    if (folder.isEmpty())
        folder = m_site->currentFolder();
    std::vector<ZString> arrived;
    const bool ok = !folder.isEmpty() && transferIntoFolder(data, folder, chosen, &arrived);
    if (ok)
        *effect = chosen;
    FileDropTarget::DragLeave();
    m_site->dropped(folder, arrived);
    return S_OK;
}

} // namespace ole
