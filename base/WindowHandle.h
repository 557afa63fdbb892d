// A window handle without <windows.h>: the same declaration as the SDK's STRICT HWND.
#pragma once

struct HWND__;
typedef HWND__* HWND;
