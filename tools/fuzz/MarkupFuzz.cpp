#include "tools/fuzz/MarkupFuzz.h"

#include "base/TextUtil.h"
#include "xhtml/Cascade.h"
#include "xhtml/HtmlDocument.h"
#include "xhtml/TagClasses.h"
#include "xhtml/TextSpacing.h"

#include <vector>

void fuzzMarkup(const uint8_t* data, size_t size)
{
    const ZString text = utf8DecodeLenient(reinterpret_cast<const char*>(data), size);
    xhtml::HtmlDocument doc;
    doc.parseDocument(text);
    xhtml::TextSpacing spacing;
    std::vector<const xhtml::HtmlTagNode*> pending{&doc.root()};
    while (!pending.empty()) {
        const xhtml::HtmlTagNode* node = pending.back();
        pending.pop_back();
        if (xhtml::isBlockTag(node->name()))
            spacing.reset();
        if (xhtml::isReplacedTag(node->name()))
            spacing.spaceBeforeReplaced();
        xhtml::computeStyles(doc.styleSheet(), *node);
        for (const auto& child : node->children()) {
            if (child->type() == xhtml::HtmlNode::Tag)
                pending.push_back(static_cast<const xhtml::HtmlTagNode*>(child.get()));
            else
                spacing.words(static_cast<const xhtml::HtmlTextNode&>(*child).text());
        }
    }
    xhtml::StyleSheet sheet;
    xhtml::parseStyleSheet(text, sheet);
    xhtml::StyleProperties properties;
    const std::shared_ptr<const xhtml::StyleDef> def = xhtml::parseDeclarations(text);
    for (const auto& [name, value] : def->declarations)
        properties.apply(name, value);
    xhtml::parseLength(text);
    xhtml::parseColour(text);
}
