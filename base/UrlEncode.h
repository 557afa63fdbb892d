// Percent-encoding for URL query strings and form bodies: every byte that is an
// ASCII letter, digit, "-", "_", "." or "~" stays; every other byte becomes "%"
// and two lower-case hexadecimal digits (a space becomes %20).
#pragma once

#include "base/ZString.h"

#include <string>
#include <string_view>

// Encodes bytes that are already in the wanted character set.
std::string urlEncodeBytes(std::string_view bytes);

// Encodes the UTF-8 form of text.
ZString urlEncode(const ZString& text);
