#include "zpdf/Object.h"

#include "zpdf/Array.h"
#include "zpdf/Dict.h"
#include "zpdf/Name.h"
#include "zpdf/Primitives.h"
#include "zpdf/Stream.h"
#include "zpdf/String.h"
#include "zpdf/Writer.h"

#include <cstdio>

namespace zpdf {

void Object::write(Writer&) const {}

IPtr<Object> Object::clone() const { return self(); }

void Object::print() const
{
    BufferWriter writer;
    write(writer);
    const DataBuffer& bytes = writer.buffer();
    std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.length()), stdout);
    std::fflush(stdout);
}

IPtr<Object> Object::resolve() { return self(); }

IPtr<Object> Object::asReference() { return self(); }

IPtr<Array> Object::toArray() { return dynamicCast<Array>(resolve()); }

IPtr<Bool> Object::toBool() { return dynamicCast<Bool>(resolve()); }

IPtr<Dict> Object::toDict()
{
    const IPtr<Object> resolved = resolve();
    if (resolved && resolved->type() == ObjectType::Stream)
        return static_cast<Stream*>(resolved.get())->dict();
    return dynamicCast<Dict>(resolved);
}

IPtr<Name> Object::toName() { return dynamicCast<Name>(resolve()); }

IPtr<Number> Object::toNumber() { return dynamicCast<Number>(resolve()); }

IPtr<Stream> Object::toStream() { return dynamicCast<Stream>(resolve()); }

IPtr<String> Object::toString() { return dynamicCast<String>(resolve()); }

bool Object::equals(const Object* other) const { return other == this; }

bool Object::equals(const IPtr<Object>& other) const { return other && equals(other.get()); }

} // namespace zpdf
