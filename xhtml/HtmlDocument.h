// A markup document: the tree from the forgiving parser and the style sheet
// collected from its "style" elements.
#pragma once

#include "xhtml/HtmlNode.h"
#include "xhtml/StyleSheet.h"

#include <memory>

namespace xhtml {

class HtmlDocument {
public:
    HtmlDocument();

    // Replaces the tree by a new root (empty name) holding what the text
    // parses into, and the style sheet by the rules of the tree's "style"
    // elements. Returns the position where parsing stopped. Never fails:
    // stray end tags are ignored, unterminated constructs end with the input.
    int parseDocument(const ZString& text);
    // Appends the rules of a style sheet text.
    void parseStyleSheet(const ZString& text) { xhtml::parseStyleSheet(text, m_styleSheet); }

    const HtmlTagNode& root() const { return *m_root; }
    const StyleSheet& styleSheet() const { return m_styleSheet; }

private:
    void collectStyleSheets(const HtmlTagNode& node);

    std::unique_ptr<HtmlTagNode> m_root;
    StyleSheet m_styleSheet;
};

} // namespace xhtml
