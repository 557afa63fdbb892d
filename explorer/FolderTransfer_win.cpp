#include "explorer/FolderTransfer_win.h"

#include "explorer/ClipFormats_win.h"
#include "explorer/ComPtr.h"
#include "explorer/Medium_win.h"
#include "explorer/ShellFileOperation_win.h"
#include "explorer/TransferFormats.h"

#include <shellapi.h>

namespace ole {

CLIPFORMAT transferFormatOf(IDataObject* data)
{
    const ClipFormats& f = clipFormats();
    ComPtr<IEnumFORMATETC> enumerator;
    if (data == nullptr || FAILED(data->EnumFormatEtc(DATADIR_GET, enumerator.put())) || !enumerator)
        return 0;
    FORMATETC offered;
    while (enumerator->Next(1, &offered, nullptr) == S_OK) {
        if (offered.ptd != nullptr)
            CoTaskMemFree(offered.ptd);
        const CLIPFORMAT c = offered.cfFormat;
        if ((offered.tymed & TYMED_HGLOBAL) != 0 &&
            (c == f.hdrop || c == f.fileNameMap || c == f.fileName || c == f.fileGroupDescriptor))
            return c;
    }
    return 0;
}

bool readDroppedPaths(IDataObject* data, CLIPFORMAT format, std::vector<ZString>& paths)
{
    paths.clear();
    if (format == CF_HDROP) {
        FORMATETC wanted = formatEtc(CF_HDROP);
        Medium medium;
        if (FAILED(data->GetData(&wanted, medium.put())) || medium.tymed() != TYMED_HGLOBAL)
            return false;
        const auto drop = static_cast<HDROP>(medium.get().hGlobal);
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            ZString path;
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            path.setLength(static_cast<int>(length) + 1);
            DragQueryFileW(drop, i, path.data(), length + 1);
            paths.push_back(path.truncate(static_cast<int>(length)));
        }
        return true;
    }
    std::string bytes;
    if (!readGlobalFormat(data, format, bytes))
        return false;
    paths = readPathList(bytes);
    if (format == clipFormats().fileName && paths.size() > 1)
        paths.resize(1);
    return true;
}

bool transferIntoFolder(IDataObject* data, const ZString& folder, DWORD effect, std::vector<ZString>* created)
{
    const CLIPFORMAT format = transferFormatOf(data);
    if (format == 0)
        return false;
    if (format == clipFormats().fileGroupDescriptor)
        return writeVirtualFiles(data, folder, created);
    std::vector<ZString> paths;
    if (!readDroppedPaths(data, format, paths) || paths.empty())
        return false;
    return shellCopyOrMove(paths, folder, effect == DROPEFFECT_MOVE, created);
}

} // namespace ole
