// The work of the markup fuzz target, shared with the test that replays its
// seed corpus: parse bytes (UTF-8) as a document, build the words of every text
// node, run the cascade for every element, and read the whole input as a style
// sheet, a declaration block, a length and a colour. Nothing may crash, hang or
// trip a sanitizer.
#pragma once

#include <cstddef>
#include <cstdint>

void fuzzMarkup(const uint8_t* data, size_t size);
