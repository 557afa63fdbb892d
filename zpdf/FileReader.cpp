#include "zpdf/FileReader.h"

#include "zpdf/BinaryFile.h"

#include <algorithm>
#include <climits>

namespace zpdf {

namespace {
constexpr int kBlockSize = 4096;
constexpr size_t kBlockCount = 8;
constexpr int kReadChunk = 2048;
} // namespace

FileReader::FileReader(const ZString& path) : m_file(openBinaryFile(path, false)), m_blocks(kBlockCount)
{
    // The blocks are the buffer: the C stream needs none of its own.
    if (m_file != nullptr)
        std::setvbuf(m_file, nullptr, _IONBF, 0);
    for (Block& block : m_blocks)
        block.bytes.resize(kBlockSize);
    m_current = &m_blocks[0];
}

FileReader::~FileReader() { close(); }

bool FileReader::load()
{
    if (inCurrent())
        return true;
    if (m_file == nullptr || m_position == INT_MAX)
        return false;
    const int start = m_position - m_position % kBlockSize;
    Block* oldest = &m_blocks[0];
    for (Block& block : m_blocks) {
        if (block.length > 0 && block.start == start) {
            m_current = &block;
            m_current->lastUse = ++m_uses;
            return inCurrent();
        }
        if (block.lastUse < oldest->lastUse)
            oldest = &block;
    }
    m_current = oldest;
    m_current->start = start;
    m_current->length = 0;
    m_current->lastUse = ++m_uses;
    if (!seekBinaryFile(m_file, start))
        return false;
    const size_t room = static_cast<size_t>(std::min(kBlockSize, INT_MAX - start));
    m_current->length = static_cast<int>(std::fread(m_current->bytes.data(), 1, room, m_file));
    return inCurrent();
}

int FileReader::readByte()
{
    if (!load())
        return -1;
    return m_current->bytes[static_cast<size_t>(m_position++ - m_current->start)];
}

int FileReader::readBytes(DataBuffer& out, int count)
{
    int total = 0;
    while (total < count && load()) {
        const int available = m_current->start + m_current->length - m_position;
        const int n = std::min({available, count - total, kReadChunk});
        out.append(m_current->bytes.data() + (m_position - m_current->start), n);
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
    for (Block& block : m_blocks)
        block.length = 0;
}

int FileReader::length()
{
    if (m_file == nullptr)
        return 0;
    if (m_length >= 0)
        return m_length;
    const int64_t size = binaryFileSize(m_file);
    if (size < 0)
        return 0;
    m_length = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    return m_length;
}

} // namespace zpdf
