// IJobDlg: the interface by which a data object shows that it carries job
// windows dragged inside this program. It has no operations of its own; the
// job list's drop target only asks whether a data object answers to it.
#pragma once

#include <windows.h>
#include <unknwn.h>

// {5E0B7A52-3C1D-4F0A-9B6E-7A1D2C4E8F31}
inline constexpr IID IID_IJobDlg = {0x5e0b7a52, 0x3c1d, 0x4f0a, {0x9b, 0x6e, 0x7a, 0x1d, 0x2c, 0x4e, 0x8f, 0x31}};

struct IJobDlg : public IUnknown {
};

// Whether the data object carries job windows of this program.
bool carriesJobWindows(IUnknown* data);
