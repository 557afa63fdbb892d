// The tooltip text of a page element: "Page n", and when the page's source
// has a name a second line with the page's number inside it and the name.
#pragma once

#include "base/ZString.h"

class Job;

ZString pageTooltip(const Job& job, int page);
