#include "zpdf/Primitives.h"

#include "zpdf/NumberText.h"
#include "zpdf/Writer.h"

#include <cmath>

namespace zpdf {

// --- Null ---

const IPtr<Null>& Null::instance()
{
    // Never released, and immortal: objects anywhere, on any thread, may
    // point at it, also during exit.
    static const IPtr<Null>* shared = [] {
        auto* null = new IPtr<Null>(new Null());
        (*null)->makeImmortal();
        return null;
    }();
    return *shared;
}

void Null::write(Writer& writer) const { writer.writeString("null"); }

IPtr<Object> Null::clone() const { return instance(); }

bool Null::equals(const Object* other) const { return other != nullptr && other->type() == ObjectType::Null; }

// --- Bool ---

void Bool::write(Writer& writer) const { writer.writeString(m_value != 0 ? "true" : "false"); }

IPtr<Object> Bool::clone() const { return IPtr<Object>(new Bool(value())); }

bool Bool::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::Bool && static_cast<const Bool*>(other)->m_value == m_value;
}

// --- Number ---

namespace {

// An integer text of a whole value. Values beyond the int range keep their
// digits rather than wrapping; values that are not finite write 0.
std::string integerText(const char* format, double truncated)
{
    if (!std::isfinite(truncated))
        return "0";
    if (truncated < -2147483648.0 || truncated > 2147483647.0)
        return formatDouble("%.0f", truncated);
    return formatInt(format, static_cast<int>(truncated));
}

} // namespace

Number::Number(double value, NumberKind kind) : Object(ObjectType::Number), m_value(value), m_kind(kind) {}

int Number::intValue() const { return truncateToInt(m_value); }

std::string Number::text() const
{
    const bool formatted = !m_format.isEmpty();
    switch (m_kind) {
    case NumberKind::Integer:
        return integerText(formatted ? m_format.cString() : "%d", std::trunc(m_value));
    case NumberKind::Real:
        return formatDouble(formatted ? m_format.cString() : "%f", m_value);
    case NumberKind::Automatic:
    default:
        if (m_value == std::trunc(m_value))
            return integerText("%d", m_value);
        return formatDouble("%f", m_value);
    }
}

void Number::write(Writer& writer) const { writer.writeString(text().c_str()); }

IPtr<Object> Number::clone() const
{
    auto* copy = new Number(m_value, m_kind);
    copy->m_format = m_format;
    return IPtr<Object>(copy);
}

bool Number::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::Number &&
           static_cast<const Number*>(other)->m_value == m_value;
}

} // namespace zpdf
