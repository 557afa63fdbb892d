// Character references in markup text.
#pragma once

#include "base/ZString.h"

namespace xhtml {

// The text with its character references replaced: the 125 named ones (a few
// stand for a plain ASCII substitute, "&ndash;" for a hyphen), and numeric
// ones in decimal, "&#x"/"&#0x" hexadecimal and "&#0" octal form, whose digits
// must run exactly to the ";" and whose low 16 bits become one code unit.
// A reference that cannot be resolved, or one cut off by another "&" or by
// the end, stays as written. Attribute values are never decoded.
ZString decodeEntities(const ZString& text);

} // namespace xhtml
