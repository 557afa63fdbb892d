// Popup menus of the job windows: TrackPopupMenu returning the chosen
// command. Tests answer the menu instead of a user: the answerer sees the
// menu as it would open and returns a command (0 for none).
#pragma once

#include <windows.h>

#include <functional>

UINT trackJobMenu(HMENU menu, UINT flags, POINT screen, HWND owner);

using JobMenuAnswerer = std::function<UINT(HMENU menu)>;
void setJobMenuAnswerer(JobMenuAnswerer answerer);
