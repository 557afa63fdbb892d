// FileWriter: writes to a file opened by its wide path (created or truncated)
// through a buffered stream. A failed open or write puts it into a failed
// state in which further writes do nothing; the file is flushed and closed on
// destruction at the latest.
#pragma once

#include "base/ZString.h"
#include "zpdf/Writer.h"

#include <cstdio>

namespace zpdf {

class FileWriter : public Writer {
public:
    explicit FileWriter(const ZString& path);
    ~FileWriter() override;

    bool failed() const { return m_failed; }

    void writeChar(unsigned char byte) override;
    void writeBytes(const void* data, int offset, int count) override;
    void flush() override;
    // Flushes and closes the file; false when anything failed on the way.
    bool close();

private:
    std::FILE* m_file;
    bool m_failed;
};

} // namespace zpdf
