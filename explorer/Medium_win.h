// Storage media of data transfers: HGLOBALs made from bytes and read back,
// copies of media, and Medium, the one owner of a STGMEDIUM.
#pragma once

#include "explorer/ComPtr.h"

#include <windows.h>
#include <objidl.h>

#include <string>

namespace ole {

// A moveable, zero-initialised HGLOBAL holding the bytes; null when memory
// runs out. The caller owns it until it hands it on.
HGLOBAL globalFromBytes(const std::string& bytes);
// The bytes of an HGLOBAL (its whole size as the heap reports it).
std::string bytesOfGlobal(HGLOBAL global);

// A copy of medium for another receiver: HGLOBALs are duplicated, streams and
// storages shared by reference. False for other media.
bool copyMedium(const STGMEDIUM& from, STGMEDIUM& to);

// Releases its medium (ReleaseStgMedium) when it goes.
class Medium {
public:
    Medium() = default;
    ~Medium() { reset(); }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    STGMEDIUM* put()
    {
        reset();
        return &m_medium;
    }
    const STGMEDIUM& get() const { return m_medium; }
    DWORD tymed() const { return m_medium.tymed; }
    void reset();

private:
    STGMEDIUM m_medium{};
};

// GetData of an HGLOBAL format, read into bytes; false when it is not there.
bool readGlobalFormat(IDataObject* data, CLIPFORMAT format, std::string& bytes);

} // namespace ole
