// Base64 (RFC 4648, with padding) for bodies handed between the page and the client.
#pragma once

#include <string>
#include <string_view>

std::string base64Encode(std::string_view bytes);
// Characters outside the alphabet are skipped; decoding stops at "=".
std::string base64Decode(std::string_view text);
