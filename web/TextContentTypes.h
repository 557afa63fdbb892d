// The content types whose responses the bridge hands to the page as text:
// patterns with "*" (any run) and "?" (one character), matched case-sensitively.
// Starts with "text/*" and "application/json".
#pragma once

#include "base/ZString.h"

#include <vector>

bool wildcardMatch(const ZString& pattern, const ZString& text);

void addTextContentType(const ZString& pattern);
std::vector<ZString> textContentTypes();
bool isTextContentType(const ZString& contentType);
