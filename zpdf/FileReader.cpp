#include "zpdf/FileReader.h"

#include "zpdf/BinaryFile.h"

#include <algorithm>
#include <climits>

namespace zpdf {

namespace {
constexpr int kBlockSize = 16 * 1024;
constexpr int kReadChunk = 2048;
} // namespace

FileReader::FileReader(const ZString& path) : m_file(openBinaryFile(path, false)), m_block(kBlockSize) {}

FileReader::~FileReader() { close(); }

bool FileReader::load()
{
    if (m_position >= m_blockStart && m_position < m_blockStart + m_blockLength)
        return true;
    m_blockStart = m_position;
    m_blockLength = 0;
    if (m_file == nullptr || m_position == INT_MAX || !seekBinaryFile(m_file, m_position))
        return false;
    const size_t room = static_cast<size_t>(std::min(kBlockSize, INT_MAX - m_position));
    m_blockLength = static_cast<int>(std::fread(m_block.data(), 1, room, m_file));
    return m_blockLength > 0;
}

int FileReader::readByte()
{
    if (!load())
        return -1;
    return m_block[static_cast<size_t>(m_position++ - m_blockStart)];
}

int FileReader::readBytes(DataBuffer& out, int count)
{
    int total = 0;
    while (total < count && load()) {
        const int available = m_blockStart + m_blockLength - m_position;
        const int n = std::min({available, count - total, kReadChunk});
        out.append(m_block.data() + (m_position - m_blockStart), n);
        m_position += n;
        total += n;
    }
    return total;
}

void FileReader::seek(int position) { m_position = std::max(position, 0); }

void FileReader::close()
{
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_blockLength = 0;
}

int FileReader::length()
{
    if (m_file == nullptr)
        return 0;
    const int64_t size = binaryFileSize(m_file);
    if (size < 0)
        return 0;
    return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

} // namespace zpdf
