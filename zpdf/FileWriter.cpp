#include "zpdf/FileWriter.h"

#include "zpdf/BinaryFile.h"

namespace zpdf {

namespace {
constexpr size_t kStreamBuffer = 64 * 1024;
}

FileWriter::FileWriter(const ZString& path) : m_file(openBinaryFile(path, true)), m_failed(m_file == nullptr)
{
    if (m_file != nullptr)
        std::setvbuf(m_file, nullptr, _IOFBF, kStreamBuffer);
}

FileWriter::~FileWriter() { close(); }

void FileWriter::writeChar(unsigned char byte)
{
    if (m_failed || m_file == nullptr)
        return;
    if (std::fputc(byte, m_file) == EOF) {
        m_failed = true;
        return;
    }
    advance(1);
}

void FileWriter::writeBytes(const void* data, int offset, int count)
{
    if (m_failed || m_file == nullptr || data == nullptr || count <= 0 || offset < 0)
        return;
    const size_t n = std::fwrite(static_cast<const unsigned char*>(data) + offset, 1, static_cast<size_t>(count), m_file);
    advance(static_cast<int64_t>(n));
    if (n != static_cast<size_t>(count))
        m_failed = true;
}

void FileWriter::flush()
{
    if (!m_failed && m_file != nullptr && std::fflush(m_file) != 0)
        m_failed = true;
}

bool FileWriter::close()
{
    if (m_file == nullptr)
        return !m_failed;
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

} // namespace zpdf
