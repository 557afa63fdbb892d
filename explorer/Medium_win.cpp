#include "explorer/Medium_win.h"

#include "explorer/ClipFormats_win.h"

#include <cstring>

namespace ole {

HGLOBAL globalFromBytes(const std::string& bytes)
{
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (global == nullptr)
        return nullptr;
    void* p = GlobalLock(global);
    if (p == nullptr) {
        GlobalFree(global);
        return nullptr;
    }
    if (!bytes.empty())
        std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(global);
    return global;
}

std::string bytesOfGlobal(HGLOBAL global)
{
    if (global == nullptr)
        return {};
    const SIZE_T size = GlobalSize(global);
    const void* p = GlobalLock(global);
    if (p == nullptr)
        return {};
    std::string bytes(static_cast<const char*>(p), size);
    GlobalUnlock(global);
    return bytes;
}

bool copyMedium(const STGMEDIUM& from, STGMEDIUM& to)
{
    to = STGMEDIUM{};
    switch (from.tymed) {
    case TYMED_HGLOBAL:
        to.hGlobal = globalFromBytes(bytesOfGlobal(from.hGlobal));
        if (to.hGlobal == nullptr)
            return false;
        break;
    case TYMED_ISTREAM:
        to.pstm = from.pstm;
        to.pstm->AddRef();
        break;
    case TYMED_ISTORAGE:
        to.pstg = from.pstg;
        to.pstg->AddRef();
        break;
    default:
        return false;
    }
    to.tymed = from.tymed;
    return true;
}

void Medium::reset()
{
    if (m_medium.tymed != TYMED_NULL)
        ReleaseStgMedium(&m_medium);
    m_medium = STGMEDIUM{};
}

bool readGlobalFormat(IDataObject* data, CLIPFORMAT format, std::string& bytes)
{
    FORMATETC wanted = formatEtc(format);
    Medium medium;
    if (FAILED(data->GetData(&wanted, medium.put())) || medium.tymed() != TYMED_HGLOBAL)
        return false;
    bytes = bytesOfGlobal(medium.get().hGlobal);
    return true;
}

} // namespace ole
