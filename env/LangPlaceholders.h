// Language placeholders in texts: "{lang/NAME}" is replaced by the language text
// of prefix + NAME, or of NAME alone when the prefixed key has no text. A
// placeholder whose key has no text in either form stays as it is; an unclosed
// "{lang/" ends the expansion.
#pragma once

#include "base/ZString.h"

ZString expandLangPlaceholders(const ZString& text, const wchar_t* keyPrefix = nullptr);
