#include "zpdf/Page.h"

#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"

#include <cstdint>
#include <set>
#include <utility>

namespace zpdf {

std::pair<const void*, int64_t> treeNodeIdentity(const IPtr<Object>& node, const IPtr<Dict>& dict)
{
    if (node->type() == ObjectType::Reference) {
        const auto* ref = static_cast<const Reference*>(node.get());
        return {nullptr, static_cast<int64_t>(ref->number()) << 32 | static_cast<uint32_t>(ref->generation())};
    }
    return {dict.get(), 0};
}

IPtr<Rectangle> Page::getMediaBox() const
{
    std::set<std::pair<const void*, int64_t>> seen;
    IPtr<Dict> node = m_dict;
    while (node) {
        if (const IPtr<Array> box = node->getArray(kMediaBox))
            return IPtr<Rectangle>(new Rectangle(*box));
        const IPtr<Object> parent = node->get(kParent);
        if (!parent)
            break;
        node = parent->toDict();
        if (!node)
            break;
        if (!seen.insert(treeNodeIdentity(parent, node)).second)
            break;
    }
    return nullptr;
}

void Page::rotate(int degrees, bool absolute)
{
    const int r = degrees % 360;
    if (absolute || !m_dict->has(kRotate)) {
        if (r != 0 || absolute)
            m_dict->set(kRotate, IPtr<Object>(new Number(r, NumberKind::Integer)));
        return;
    }
    const IPtr<Number> current = m_dict->getNumber(kRotate);
    const int64_t sum = static_cast<int64_t>(current ? current->intValue() : 0) + r;
    m_dict->set(kRotate, IPtr<Object>(new Number(static_cast<double>(sum % 360), NumberKind::Integer)));
}

} // namespace zpdf
