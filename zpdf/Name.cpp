#include "zpdf/Name.h"

#include "zpdf/Writer.h"

namespace zpdf {

void AbstractName::write(Writer& writer) const
{
    writer.writeChar('/');
    writer.writeBuffer(m_bytes);
}

IPtr<Object> AbstractName::clone() const { return IPtr<Object>(new Name(m_bytes)); }

bool Name::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::Name &&
           static_cast<const AbstractName*>(other)->bytes().equals(bytes());
}

} // namespace zpdf
