// libFuzzer target: opening and rewriting documents from arbitrary bytes.
#include "tools/fuzz/OpenDocumentFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzOpenDocument(data, size);
    return 0;
}
