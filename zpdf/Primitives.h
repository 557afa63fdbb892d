// The simple PDF values: null, booleans and numbers.
#pragma once

#include "zpdf/DataBuffer.h"
#include "zpdf/Object.h"

#include <string>

namespace zpdf {

// The PDF null. One shared instance serves the whole program.
class Null : public Object {
public:
    // The shared instance; it lives for the whole run.
    static const IPtr<Null>& instance();

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    Null() : Object(ObjectType::Null) {}
};

class Bool : public Object {
public:
    explicit Bool(bool value) : Object(ObjectType::Bool), m_value(value ? 1 : 0) {}

    bool value() const { return m_value != 0; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    uint8_t m_value;
};

// How a number is written: as an integer, as a real with six decimals, or
// (numbers read from files) as an integer when it has no fraction.
enum class NumberKind : int32_t {
    Integer = 0,
    Real = 1,
    Automatic = 2,
};

class Number : public Object {
public:
    explicit Number(double value, NumberKind kind = NumberKind::Automatic);

    double value() const { return m_value; }
    // The value truncated toward zero (saturating at the int range).
    int intValue() const;
    NumberKind kind() const { return m_kind; }
    // A C format ("%d" style for integers, "%f" style for reals) used instead
    // of the default one; empty for the default.
    const DataBuffer& format() const { return m_format; }
    void setFormat(const char* format) { m_format.assign(format); }

    // The text write produces.
    std::string text() const;

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    DataBuffer m_format;
    double m_value;
    NumberKind m_kind;
};

} // namespace zpdf
