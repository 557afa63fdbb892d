// FileReader: reads a file opened by its wide path. Reads go through a few
// cached blocks of the file, so that the parser's many short peeks and seeks,
// and the jumps between an object and the "Length" it refers to, stay cheap.
// Stream data is copied out in pieces of at most 2048 bytes. A file that
// cannot be opened reads as empty (isOpen tells).
#pragma once

#include "base/ZString.h"
#include "zpdf/Reader.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace zpdf {

class FileReader : public Reader {
public:
    explicit FileReader(const ZString& path);
    ~FileReader() override;

    bool isOpen() const { return m_file != nullptr; }

    int readBytes(DataBuffer& out, int count) override;
    int readByte() override;
    // Negative positions count as 0; beyond the end, readByte gives -1.
    void seek(int position) override;
    void close() override;
    // The size of the file (at most the largest int), measured once: the file
    // is not expected to change while it is open.
    int length() override;
    int tell() override { return m_position; }

private:
    struct Block {
        int start = 0;
        int length = 0;
        uint64_t lastUse = 0;
        std::vector<unsigned char> bytes;
    };

    // Makes the block holding the current position current; false at the end.
    bool load();
    bool inCurrent() const { return m_position >= m_current->start && m_position < m_current->start + m_current->length; }

    std::FILE* m_file;
    int m_position = 0;
    int m_length = -1;
    std::vector<Block> m_blocks;
    Block* m_current;
    uint64_t m_uses = 0;
};

} // namespace zpdf
