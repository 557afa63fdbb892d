// The markup tree: tag nodes with ordered attributes and owned children, and
// text nodes that keep their text as written (references are decoded later,
// when text views are built).
#pragma once

#include "base/ZString.h"

#include <memory>
#include <vector>

namespace xhtml {

class HtmlTagNode;

class HtmlNode {
public:
    enum Type { Tag = 1, Text = 2 };

    explicit HtmlNode(Type type) : m_type(type) {}
    virtual ~HtmlNode() = default;
    HtmlNode(const HtmlNode&) = delete;
    HtmlNode& operator=(const HtmlNode&) = delete;

    Type type() const { return m_type; }
    // The enclosing element; none for the document's root.
    HtmlTagNode* parent() const { return m_parent; }

private:
    friend class HtmlTagNode;
    Type m_type;
    HtmlTagNode* m_parent = nullptr;
};

struct HtmlAttribute {
    ZString name; // lower case
    ZString value; // as written, trimmed
};

class HtmlTagNode : public HtmlNode {
public:
    // The name is lower case; the document's root has an empty one.
    explicit HtmlTagNode(const ZString& name) : HtmlNode(Tag), m_name(name) {}
    // Releases the subtree without recursing, however deep it is.
    ~HtmlTagNode() override;

    const ZString& name() const { return m_name; }
    const std::vector<std::unique_ptr<HtmlNode>>& children() const { return m_children; }
    const std::vector<HtmlAttribute>& attributes() const { return m_attributes; }

    // Takes the child and returns it.
    HtmlNode* append(std::unique_ptr<HtmlNode> child);
    void addAttribute(const ZString& name, const ZString& value) { m_attributes.push_back({name, value}); }
    // The value of the first attribute of that (lower-case) name; null when absent.
    const ZString* attribute(const wchar_t* name) const;

private:
    ZString m_name;
    std::vector<std::unique_ptr<HtmlNode>> m_children;
    std::vector<HtmlAttribute> m_attributes;
};

class HtmlTextNode : public HtmlNode {
public:
    explicit HtmlTextNode(const ZString& text) : HtmlNode(Text), m_text(text) {}
    const ZString& text() const { return m_text; }

private:
    ZString m_text;
};

} // namespace xhtml
