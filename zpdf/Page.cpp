#include "zpdf/Page.h"

#include "zpdf/Names.h"
#include "zpdf/Primitives.h"

#include <cstdint>
#include <unordered_set>

namespace zpdf {

IPtr<Rectangle> Page::getMediaBox() const
{
    std::unordered_set<const Dict*> seen;
    for (IPtr<Dict> node = m_dict; node && seen.insert(node.get()).second; node = node->getDict(kParent)) {
        if (const IPtr<Array> box = node->getArray(kMediaBox))
            return IPtr<Rectangle>(new Rectangle(*box));
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
