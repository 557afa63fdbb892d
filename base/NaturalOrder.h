// Natural (number-aware) order of names, as the explorer lists files and the
// job list sorts jobs: case is ignored (characters compare by their upper-case
// forms), runs of white space are skipped, runs of digits compare by their
// value, and a run that starts with a zero compares digit by digit as the
// digits after a decimal point would ("05" before "5", "012" before "1").
#pragma once

#include <string_view>

// -1, 0 or 1 as a sorts before, with or after b.
int naturalCompare(std::wstring_view a, std::wstring_view b);
