// The fixed classes of tags the renderer tells apart (names in lower case).
#pragma once

#include "base/ZString.h"

namespace xhtml {

// Content is text, not markup: "style", "textarea".
bool isRawTextTag(const ZString& name);
// Breaks the flow; white space does not carry across.
bool isBlockTag(const ZString& name);
// Has no content: "img", "hr", "br", "input".
bool isEmptyTag(const ZString& name);
// Stays in the text flow.
bool isInlineTag(const ZString& name);
// Occupies a box inside the text flow: "img", "input", "select", "textarea".
bool isReplacedTag(const ZString& name);

} // namespace xhtml
