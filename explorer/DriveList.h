// The drives the explorer's tree shows: the logical drive strings without
// the drives hidden by the "NoDrives" policy, and how their labels read.
#pragma once

#include "base/ZString.h"

#include <cstdint>
#include <vector>

// The roots ("C:\") in a buffer of zero-terminated strings ending in an empty
// one, without those whose bit (bit n for the letter 'a' + n) is set in noDrives.
std::vector<ZString> visibleDrives(const wchar_t* driveStrings, uint32_t noDrives);

// A drive's first label: its root without the trailing backslash.
ZString driveLabel(const ZString& root);

// The label once the volume is known: "%s (%s)" with the volume name and the
// drive; for a network connection "\\server\share" "%s (%s) (%s)" with share,
// server and drive. Empty when there is nothing better to show.
ZString localDriveLabel(const ZString& volumeName, const ZString& root);
ZString networkDriveLabel(const ZString& connection, const ZString& root);
