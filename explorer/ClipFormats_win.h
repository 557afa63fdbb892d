// The clipboard formats of file transfers, registered by name once per process.
#pragma once

#include <windows.h>

namespace ole {

struct ClipFormats {
    CLIPFORMAT hdrop = CF_HDROP;
    CLIPFORMAT fileNameMap;         // "FileNameMapW"
    CLIPFORMAT fileName;            // "FileNameW"
    CLIPFORMAT fileGroupDescriptor; // "FileGroupDescriptorW"
    CLIPFORMAT fileContents;        // "FileContents"
    CLIPFORMAT preferredDropEffect; // "Preferred DropEffect"
    CLIPFORMAT untrustedDragDrop;   // "UntrustedDragDrop"
    CLIPFORMAT isShowingText;       // "IsShowingText"
    CLIPFORMAT disableDragText;     // "DisableDragText"
    CLIPFORMAT isComputingImage;    // "IsComputingImage"
    CLIPFORMAT dropDescription;     // "DropDescription"
};

const ClipFormats& clipFormats();

// DVASPECT_CONTENT with the given medium and index.
FORMATETC formatEtc(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL, LONG lindex = -1);

} // namespace ole
