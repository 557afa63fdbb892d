#include "zpdf/FileWriter.h"

#include "zpdf/BinaryFile.h"

#include <cstring>

namespace zpdf {

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

FileWriter::FileWriter(const ZString& path) : m_file(openBinaryFile(path, true)), m_failed(m_file == nullptr)
{
    m_buffer.reserve(kBufferSize);
}

FileWriter::~FileWriter() { close(); }

void FileWriter::drain()
{
    if (m_buffer.empty())
        return;
    if (!m_failed && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
}

void FileWriter::writeChar(unsigned char byte)
{
    if (m_failed || m_file == nullptr)
        return;
    if (m_buffer.size() == kBufferSize)
        drain();
    m_buffer.push_back(byte);
    advance(1);
}

void FileWriter::writeBytes(const void* data, int offset, int count)
{
    if (m_failed || m_file == nullptr || data == nullptr || count <= 0 || offset < 0)
        return;
    const auto* bytes = static_cast<const unsigned char*>(data) + offset;
    const auto n = static_cast<size_t>(count);
    if (m_buffer.size() + n > kBufferSize) {
        drain();
        if (n >= kBufferSize) {
            if (!m_failed && std::fwrite(bytes, 1, n, m_file) != n)
                m_failed = true;
            if (!m_failed)
                advance(count);
            return;
        }
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + n);
    advance(count);
}

void FileWriter::writeString(const char* text)
{
    if (text != nullptr)
        writeBytes(text, 0, static_cast<int>(std::strlen(text)));
}

void FileWriter::flush()
{
    if (m_file == nullptr)
        return;
    drain();
    if (!m_failed && std::fflush(m_file) != 0)
        m_failed = true;
}

bool FileWriter::close()
{
    if (m_file == nullptr)
        return !m_failed;
    drain();
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

} // namespace zpdf
