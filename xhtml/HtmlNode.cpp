#include "xhtml/HtmlNode.h"

namespace xhtml {

HtmlTagNode::~HtmlTagNode()
{
    std::vector<std::unique_ptr<HtmlNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<HtmlNode> node = std::move(pending.back());
        pending.pop_back();
        if (node->type() == Tag) {
            auto& children = static_cast<HtmlTagNode&>(*node).m_children;
            for (auto& child : children)
                pending.push_back(std::move(child));
            children.clear();
        }
    }
}

HtmlNode* HtmlTagNode::append(std::unique_ptr<HtmlNode> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

const ZString* HtmlTagNode::attribute(const wchar_t* name) const
{
    for (const HtmlAttribute& a : m_attributes)
        if (a.name.equals(name))
            return &a.value;
    return nullptr;
}

} // namespace xhtml
