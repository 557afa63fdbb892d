// The characters of a plain text file: UTF-8 with or without its byte order
// mark, UTF-16 with its mark (either byte order), and anything else as
// Windows-1252, the encoding of older Windows text files.
#pragma once

#include <string>

std::u16string decodeText(const std::string& bytes);

// The Windows-1252 byte of a character; 0 when it has none.
unsigned char windows1252Byte(char16_t c);
