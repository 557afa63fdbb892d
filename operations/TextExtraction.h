// Text extraction with the interpreter's batch script "ps2ascii.bat", which
// writes the German umlauts as a vowel followed by a double quote.
#pragma once

#include "base/ZString.h"

#include <string>

class AbortControl;

// Runs the script for in and out under control (or none) and turns its umlauts
// into Windows-1252 bytes; true when out was rewritten.
bool pdfToText(const ZString& in, const ZString& out, AbortControl* control);

// One line of the script's output with "A\"", "O\"", "U\"", "a\"", "o\"", "u\""
// as the Windows-1252 umlauts; every other byte unchanged.
std::string umlautsFromQuotedVowels(const std::string& line);

// The same for a whole text file, through a temporary copy; true when out was rewritten.
bool convertQuotedVowelFile(const ZString& path);
