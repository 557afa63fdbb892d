// Numbers as PDF files spell them: C printf and strtod/atoi semantics, but
// always with "." as the decimal point, whatever locale the process has set
// (a German locale must not turn 2.5 into "2,5" or read "2.5" as 2).
#pragma once

#include <string>

namespace zpdf {

// printf of one double or one int with the given format ("%f", "%d", ...).
std::string formatDouble(const char* format, double value);
std::string formatInt(const char* format, int value);

// C strtod of the text, as in the "C" locale.
double parseDouble(const char* text);

// C atoi of the text (leading white space, optional sign, digits); values
// beyond the int range saturate instead of being undefined.
int parseInt(const char* text);

// A double truncated toward zero as an int, saturating at the int range
// (not-a-number gives 0).
int truncateToInt(double value);

} // namespace zpdf
