// Shared pieces of the drag-and-drop tests: OLE for the test program, and a
// source of virtual files as a mail program offers attachments (descriptors
// and contents from memory, as HGLOBALs or as streams).
#pragma once

#include "base/ZString.h"
#include "explorer/ComPtr.h"
#include "explorer/DataObject_win.h"
#include "explorer/TransferFormats.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

// Paths in failure messages as text rather than bytes.
inline void PrintTo(const ZString& text, std::ostream* out) { *out << '"' << text.toUtf8() << '"'; }

struct VirtualEntry {
    ZString name;
    std::string content;
    bool folder = false;
};

class VirtualFileSource : public ole::DataObject {
public:
    // Offers "FileGroupDescriptorW" and "FileContents" (as streams when
    // asStreams, else as HGLOBALs), after CF_HDROP naming hdropPaths when given.
    VirtualFileSource(std::vector<VirtualEntry> entries, bool asStreams, std::vector<ZString> hdropPaths = {});
    // How often each content was asked for.
    int contentRequests() const { return m_contentRequests; }

protected:
    HRESULT getOwnData(const FORMATETC& format, STGMEDIUM& medium) override;

private:
    std::vector<VirtualEntry> m_entries;
    bool m_asStreams;
    std::vector<ZString> m_hdropPaths;
    int m_contentRequests = 0;
};

// The object with its first reference.
template <class T, class... Args>
ole::ComPtr<T> makeObject(Args&&... args)
{
    return ole::ComPtr<T>(new T(std::forward<Args>(args)...));
}

// The bytes a stream holds from its start.
std::string readStream(IStream* stream);
