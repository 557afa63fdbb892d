// White space between text pieces of the flow: each text node becomes words
// (references decoded), with at most one space carried between pieces.
#pragma once

#include "base/ZString.h"

#include <vector>

namespace xhtml {

class TextSpacing {
public:
    // The words of one text node, in order. A word that follows white space
    // written before it starts with a single space (the first one only when the
    // previous text did not already end with one); the last word ends with a
    // single space when the text ended with white space.
    std::vector<ZString> words(const ZString& text);
    // A block element or "br": no space carries across.
    void reset() { m_endedWithSpace = true; m_spaceWanted = false; }
    // Before a replaced element (image, button): true when the text before it
    // called for a space in front of it, which the caller puts there as a word
    // of its own. Text after the element may start with a space again.
    bool spaceBeforeReplaced();

private:
    bool m_endedWithSpace = true;
    bool m_spaceWanted = false;
};

} // namespace xhtml
