// Writers: byte sinks that objects serialise onto. A writer supplies
// writeChar and flush; everything else is built on writeChar here (numbers
// through the C formats "%d" and "%f", "." as decimal point in every locale).
#pragma once

#include "zpdf/DataBuffer.h"

#include <cstdint>

namespace zpdf {

class Object;

class Writer {
public:
    Writer() = default;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    virtual ~Writer() = default;

    // Bytes written so far.
    virtual int32_t position() const { return m_position; }
    virtual void writeObject(const Object& object);
    virtual void writeBytes(const void* data, int offset, int count);
    // A zero-terminated text.
    virtual void writeString(const char* text);
    virtual void writeChar(unsigned char byte) = 0;
    virtual void writeBuffer(const DataBuffer& buffer);
    virtual void writeInt(int value);
    virtual void writeDouble(double value);
    virtual void flush() = 0;

protected:
    // Counts written bytes (saturating at the int range).
    void advance(int64_t count);

    int32_t m_position = 0;
};

// Collects the bytes in a DataBuffer.
class BufferWriter : public Writer {
public:
    void writeChar(unsigned char byte) override;
    void writeBytes(const void* data, int offset, int count) override;
    void writeString(const char* text) override;
    void flush() override {}

    const DataBuffer& buffer() const { return m_buffer; }

private:
    DataBuffer m_buffer;
};

} // namespace zpdf
