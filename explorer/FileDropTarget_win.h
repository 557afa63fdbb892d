// ole::FileDropTarget: a drop target for files. It takes a drag when the data
// object offers one of the file formats (paths or virtual files) with a
// matching medium and the left button drags; the effect is move when the
// source allows it, else copy.
#pragma once

#include "explorer/DropTarget_win.h"

#include <vector>

namespace ole {

class FileDropTarget : public DropTarget {
public:
    FileDropTarget();

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;

    // Move when allowed, else copy when allowed, else none.
    static DWORD effectFor(DWORD allowed);

protected:
    // Whether the drag under way was taken, and the effect chosen for it.
    bool accepted() const { return m_accepted; }
    DWORD chosenEffect() const { return m_effect; }

private:
    std::vector<FORMATETC> m_acceptedFormats;
    bool m_accepted = false;
    DWORD m_effect = DROPEFFECT_NONE;
};

// Whether data enumerates one of the formats with a medium among the format's.
bool offersOneOf(IDataObject* data, const std::vector<FORMATETC>& formats);

} // namespace ole
