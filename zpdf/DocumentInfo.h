// DocumentInfo: what Document::readInfo reports about a file.
#pragma once

#include "base/ZString.h"

#include <cstdint>

namespace zpdf {

struct DocumentInfo {
    // Kept for the caller (the library does not fill it).
    ZString fileName;
    // The texts of the information dictionary, empty when absent (and for
    // encrypted documents that need a real password, whose texts stay
    // encrypted).
    ZString title;
    ZString author;
    ZString subject;
    ZString keywords;
    ZString creator;
    ZString producer;
    ZString creationDate;
    uint8_t encrypted = 0;
    // The permissions of "P"; all allowed when the document is not
    // encrypted or its encryption dictionary has no "P".
    uint8_t canPrint = 1;
    uint8_t canPrintHighQuality = 1;
    uint8_t canExtractForAccessibility = 1;
    uint8_t canCopy = 1;
    uint8_t canAssemble = 1;
    uint8_t canFillForms = 1;
    uint8_t canAnnotate = 1;
    uint8_t canModify = 1;
    int32_t permissions = 0;
    // Bits of the encryption key; 0 when not encrypted.
    int32_t keyLength = 0;
    int32_t pageCount = -1;
    // Empty, or why reading stopped (the library's message, one character
    // per byte, or "Unknown error.").
    ZString error;
};

} // namespace zpdf
