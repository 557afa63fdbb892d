// FileWriter: writes to a file opened by its wide path (created or truncated).
// Bytes are collected in a buffer of its own and handed to the file in large
// blocks, so that writing byte by byte stays cheap on every C runtime. A
// failed open or write puts it into a failed state in which further writes do
// nothing; the file is flushed and closed on destruction at the latest.
#pragma once

#include "base/ZString.h"
#include "zpdf/Writer.h"

#include <cstdio>
#include <vector>

namespace zpdf {

class FileWriter : public Writer {
public:
    explicit FileWriter(const ZString& path);
    ~FileWriter() override;

    bool failed() const { return m_failed; }

    void writeChar(unsigned char byte) override;
    void writeBytes(const void* data, int offset, int count) override;
    void writeString(const char* text) override;
    void flush() override;
    // Flushes and closes the file; false when anything failed on the way.
    bool close();

private:
    // Hands the buffered bytes to the file.
    void drain();

    std::FILE* m_file;
    bool m_failed;
    std::vector<unsigned char> m_buffer;
};

} // namespace zpdf
