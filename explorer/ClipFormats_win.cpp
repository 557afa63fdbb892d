#include "explorer/ClipFormats_win.h"

namespace ole {

namespace {

CLIPFORMAT registered(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

} // namespace

const ClipFormats& clipFormats()
{
    static const ClipFormats formats = [] {
        ClipFormats f;
        f.fileNameMap = registered(L"FileNameMapW");
        f.fileName = registered(L"FileNameW");
        f.fileGroupDescriptor = registered(L"FileGroupDescriptorW");
        f.fileContents = registered(L"FileContents");
        f.preferredDropEffect = registered(L"Preferred DropEffect");
        f.untrustedDragDrop = registered(L"UntrustedDragDrop");
        f.isShowingText = registered(L"IsShowingText");
        f.disableDragText = registered(L"DisableDragText");
        f.isComputingImage = registered(L"IsComputingImage");
        f.dropDescription = registered(L"DropDescription");
        return f;
    }();
    return formats;
}

FORMATETC formatEtc(CLIPFORMAT format, DWORD tymed, LONG lindex)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, lindex, tymed};
}

} // namespace ole
