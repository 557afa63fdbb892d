// Reading header texts: the raw header block of a message and the parameters
// of a value such as Content-Type.
#pragma once

#include "base/ZString.h"

#include <map>
#include <utility>
#include <vector>

namespace http {

using HeaderList = std::vector<std::pair<ZString, ZString>>;

// Name/value pairs of a raw header block; continuation lines (starting with a
// space or tab) extend the previous value, the status line is skipped.
HeaderList parseRawHeaders(const ZString& text);

struct HeaderValue {
    ZString value;
    std::map<ZString, ZString> parameters;
};

// "text/html; charset=\"x\"" -> value "text/html", parameters {charset: x}.
HeaderValue parseHeaderValue(const ZString& text);

} // namespace http
