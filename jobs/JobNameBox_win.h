// A small box that asks for a job's new name: caption "quillet/job/change-name",
// prompt "quillet/job/~change-name-info", the current name preset, OK and
// Cancel. It stands until the program's own input box exists.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <functional>

// True on OK, with name holding the entered text; name is left alone on Cancel.
bool askJobName(HWND owner, ZString& name);

// Tests answer the box: the answerer gets the preset name and returns whether
// OK was pressed, changing the name as a user would. Empty restores the box.
using JobNameAnswerer = std::function<bool(ZString& name)>;
void setJobNameAnswerer(JobNameAnswerer answerer);
