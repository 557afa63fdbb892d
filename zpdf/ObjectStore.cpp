#include "zpdf/ObjectStore.h"

namespace zpdf {

void ObjectStore::add(const IPtr<Indirect>& indirect)
{
    if (indirect)
        m_entries.insert_or_assign(Key(indirect->number(), indirect->generation()), indirect);
}

IPtr<Indirect> ObjectStore::get(int32_t number, int32_t generation) const
{
    const auto it = m_entries.find({number, generation});
    return it == m_entries.end() ? IPtr<Indirect>() : it->second;
}

} // namespace zpdf
