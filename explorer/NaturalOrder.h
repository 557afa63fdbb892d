// The order in which the explorer lists names: case is ignored, runs of white
// space are skipped, runs of digits compare by their value, and a run that
// starts with a zero compares digit by digit as the digits after a decimal
// point would ("05" before "5", "012" before "12" and "1").
#pragma once

#include <string_view>

// Negative, zero or positive as a sorts before, with or after b.
int naturalCompare(std::wstring_view a, std::wstring_view b);
