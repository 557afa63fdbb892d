// Free text helpers shared by command lines, parsers and the HTTP client.
#pragma once

#include "base/ZString.h"

#include <vector>

// The text in double quotes; optionally one space before and/or after the quotes.
ZString quote(const ZString& text, bool spaceBefore = false, bool spaceAfter = false);

// Splits text at every occurrence of separator and appends the pieces to out.
// Empty pieces are dropped unless keepEmpty is set.
void split(const ZString& text, const ZString& separator, std::vector<ZString>& out, bool keepEmpty = false);

// Position of the first character of text that is not white space.
int skipSpaces(const wchar_t* text);

// Decodes zero-terminated UTF-8 (one UTF-16 unit per character, no characters
// beyond the Basic Multilingual Plane). Throws std::runtime_error with
// "Invalid format: 1" (bad continuation of a two-byte form), "Invalid format: 2"
// (of a three-byte form) or "Invalid format: 3" (a byte that cannot start a character).
ZString utf8Decode(const char* bytes);

// Lenient UTF-8 decoding of a byte range for our own files: surrogate pairs for
// characters beyond the BMP, U+FFFD for malformed bytes. Surrogates encoded one
// by one (as the interpreter's argument files hold them) come back as they
// were. Never throws.
ZString utf8DecodeLenient(const char* bytes, size_t size);

// Each byte of a zero-terminated single-byte text as the character of the same
// value (0x00-0xFF, as the PDF library's messages are written), never sign-extended.
ZString widenBytes(const char* bytes);

// n characters, each drawn from alphabet by the system random device.
ZString randomString(int n, const wchar_t* alphabet = nullptr);

// The alphabets the program draws random texts from.
extern const wchar_t* const kRandomAlphabetDefault;
extern const wchar_t* const kRandomAlphabetLowerAlnum;
extern const wchar_t* const kRandomAlphabetAlnum;
