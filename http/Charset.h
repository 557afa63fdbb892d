// Character sets by name (the few the client knows) and conversion between
// wide text and bytes in a code page.
#pragma once

#include "base/ZString.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace http {

inline constexpr uint32_t kCodePageUtf8 = 65001;

// The code page of a charset name (compared ignoring case); defaultCodePage
// for names not in the table.
uint32_t codePageForCharset(const ZString& name, uint32_t defaultCodePage);

// An empty input converts to an empty output and succeeds; a non-empty input
// that yields nothing fails.
bool wideToBytes(const ZString& text, uint32_t codePage, std::string& out);
bool bytesToWide(std::string_view bytes, uint32_t codePage, ZString& out);

} // namespace http
