// libFuzzer target: the markup parser, character references and style sheets.
#include "tools/fuzz/MarkupFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzMarkup(data, size);
    return 0;
}
