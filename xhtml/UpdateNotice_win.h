// The update notice the main window shows when it opens: an information box
// offering to install an update the suite's background program detected.
#pragma once

#include <windows.h>

#include <cstdint>

namespace xhtml {

enum class UpdateNoticeDecision { Nothing, Show, Reset };

// The rule: nothing with UpdateMode 2, without administrator rights or without
// a detection time. A detection at or after the background program's file time
// shows the notice once more than 90 days (7776001 s or more) have passed since
// that file time; an older detection is reset to 0. Times in seconds since 1970.
UpdateNoticeDecision decideUpdateNotice(uint32_t updateMode, bool administrator, uint32_t updateDetected,
                                        int64_t programFileTime, int64_t now);

// Applies the rule to the settings ("UpdateMode" of the installation,
// "UpdateDetected" of the user), the user's group membership and the file time
// of the background program in the program folder; shows the box owned by
// owner when due; "Install" (64) starts the updater with "-install".
void showUpdateNoticeIfDue(HWND owner);

} // namespace xhtml
