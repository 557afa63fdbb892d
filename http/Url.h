// An absolute or relative URL split into its parts.
#pragma once

#include "base/ZString.h"

#include <cstdint>

namespace http {

struct Url {
    int32_t port = -1; // -1: not given and not implied by the scheme
    ZString scheme;
    ZString user;
    ZString password;
    ZString host;
    ZString path;     // starts with "/" when present
    ZString query;    // without "?"
    ZString fragment; // without "#"

    // Throws std::runtime_error("Port in Url invalid") for a port that is
    // empty, has a non-digit or more than five digits.
    static Url parse(const ZString& text);
    ZString toString() const;
    ZString pathAndQuery(bool withFragment) const;
    // The reference taken relative to base.
    static Url resolve(const Url& base, const Url& reference);
};

} // namespace http
