// The work of the document fuzz target, shared with the test that replays its
// seed corpus: open a document from bytes and use it the way the program
// does (information, composing two of its pages into a new document, pages,
// rotation, a blank page, a full rewrite).
// Library exceptions are expected; anything else (a crash, a sanitizer
// report, a hang) is a fault.
#pragma once

#include <cstddef>
#include <cstdint>

void fuzzOpenDocument(const uint8_t* data, size_t size);
