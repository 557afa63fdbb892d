// FileReader: reads a file opened by its wide path, through a block buffer
// so that the parser's many short peeks and seeks stay cheap. Stream data is
// read in blocks of at most 2048 bytes. A file that cannot be opened reads
// as empty (isOpen tells).
#pragma once

#include "base/ZString.h"
#include "zpdf/Reader.h"

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
    // The size of the file (at most the largest int).
    int length() override;
    int tell() override { return m_position; }

private:
    // Makes the block around the current position current; false at the end.
    bool load();

    std::FILE* m_file;
    int m_position = 0;
    int m_blockStart = 0;
    int m_blockLength = 0;
    std::vector<unsigned char> m_block;
};

} // namespace zpdf
