// A language catalogue: one "key=text" line per key, UTF-8. Lines that are empty
// or begin with '#' are skipped; in texts "\n" stands for a line break and "\\"
// for a backslash. Blanks around the key are dropped; the text is kept as written.
#pragma once

#include "base/ZString.h"

#include <string_view>
#include <unordered_map>

using LangTable = std::unordered_map<ZString, ZString>;

// Adds the entries of a catalogue text to table (later lines win).
void parseLangCatalogue(std::string_view utf8, LangTable& table);
