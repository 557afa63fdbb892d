// The format-options dialog: output format, option profile, resolution, PDF
// quality and TIFF paging; profiles can be saved under a new name or deleted.
#pragma once

#include "base/FormatOptions.h"

struct FormatDialogState {
    bool forAction = true;       // a save, e-mail or fax follows: show the continue button
    ZString continueCaption;     // its caption
    ZString format = L"pdf";     // in: preselected; out: chosen
    ZString profile = L"default/good";
    FormatOptionSet options;     // out: the chosen options
};

// Modal, owned by owner. 0 when continued, non-zero when cancelled or closed.
int showFormatDialog(HWND owner, FormatDialogState& state);

// The class name and control ids, for tests that drive the dialog.
inline const wchar_t* const kFormatDialogTitleKey = L"format-options/title";
enum FormatDialogControl {
    kFormatCombo = 1101,
    kProfileCombo = 1102,
    kResolutionEdit = 1103,
    kPdfQualityCombo = 1104,
    kTiffMultipageCheck = 1105,
    kSaveProfileButton = 1106,
    kDeleteProfileButton = 1107,
};
