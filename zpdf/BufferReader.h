// BufferReader: reads from a DataBuffer, either one that outlives it or one
// it shares ownership of.
#pragma once

#include "zpdf/Reader.h"
#include "zpdf/SharedRef.h"

namespace zpdf {

class BufferReader : public Reader {
public:
    explicit BufferReader(const DataBuffer& buffer) : m_buffer(&buffer) {}
    explicit BufferReader(const SharedRef<const DataBuffer>& buffer) : m_buffer(buffer.get()), m_owned(buffer) {}

    int readBytes(DataBuffer& out, int count) override;
    int readByte() override;
    // Clamped to 0..length.
    void seek(int position) override;
    void close() override {}
    int length() override { return m_buffer->length(); }
    int tell() override { return m_position; }

private:
    const DataBuffer* m_buffer;
    SharedRef<const DataBuffer> m_owned;
    int m_position = 0;
};

} // namespace zpdf
