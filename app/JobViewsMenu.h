// The views entries of the job windows (commands 8 to 13: display modes 0 to 5)
// and the display mode they share, kept in the user setting "JobDlgDisplayMode".
#pragma once

#include <windows.h>

inline constexpr UINT kFirstViewCommand = 8;
inline constexpr int kDisplayModeCount = 6;

// The display mode of every job window (0 page numbers ... 5 window size; default 2).
int jobDisplayMode();
void storeJobDisplayMode(int mode);

// Replaces the items of menu by the views entries with the current mode
// checked; each entry's id is base + its command. In the main menu base keeps
// them apart from the job list's commands of the same numbers.
void fillJobViewsMenu(HMENU menu, UINT base);
// The display mode an id of such a menu chooses; -1 for any other id.
int displayModeOfCommand(UINT id, UINT base);
