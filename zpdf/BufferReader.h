// BufferReader: reads from a DataBuffer that outlives it.
#pragma once

#include "zpdf/Reader.h"

namespace zpdf {

class BufferReader : public Reader {
public:
    explicit BufferReader(const DataBuffer& buffer) : m_buffer(&buffer) {}

    int readBytes(DataBuffer& out, int count) override;
    int readByte() override;
    // Clamped to 0..length.
    void seek(int position) override;
    void close() override {}
    int length() override { return m_buffer->length(); }
    int tell() override { return m_position; }

private:
    const DataBuffer* m_buffer;
    int m_position = 0;
};

} // namespace zpdf
