#include "zpdf/DataBuffer.h"

#include "zpdf/Exceptions.h"
#include "zpdf/NumberText.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <new>
#include <utility>

namespace zpdf {

namespace {

constexpr int kInitialCapacity = 10;
// The storage holds capacity + 1 bytes, and that size must fit an int.
constexpr int kMaxCapacity = INT_MAX - 1;

unsigned char* allocate(int capacity)
{
    auto* data = new unsigned char[static_cast<size_t>(capacity) + 1];
    data[0] = 0;
    return data;
}

int textLength(const char* text)
{
    const size_t n = text == nullptr ? 0 : std::strlen(text);
    if (n > static_cast<size_t>(kMaxCapacity))
        throw std::bad_alloc();
    return static_cast<int>(n);
}

} // namespace

DataBuffer::DataBuffer() : m_capacity(kInitialCapacity), m_length(0), m_data(nullptr) {}

DataBuffer::DataBuffer(const char* text) : DataBuffer() { append(text); }

DataBuffer::DataBuffer(const void* bytes, int count) : DataBuffer() { append(bytes, count); }

DataBuffer::DataBuffer(const DataBuffer& other)
    : m_capacity(std::max(other.m_length, kInitialCapacity)), m_length(other.m_length), m_data(nullptr)
{
    if (m_length > 0) {
        m_data = allocate(m_capacity);
        std::memcpy(m_data, other.m_data, static_cast<size_t>(m_length) + 1);
    }
}

DataBuffer::DataBuffer(DataBuffer&& other) noexcept
    : m_capacity(other.m_capacity), m_length(other.m_length), m_data(other.m_data)
{
    // The moved-from buffer stays usable: an empty buffer without storage of its own.
    other.m_data = nullptr;
    other.m_capacity = 0;
    other.m_length = 0;
}

DataBuffer& DataBuffer::operator=(const DataBuffer& other)
{
    if (this != &other)
        assign(other.m_data, other.m_length);
    return *this;
}

DataBuffer& DataBuffer::operator=(DataBuffer&& other) noexcept
{
    if (this != &other) {
        delete[] m_data;
        m_data = std::exchange(other.m_data, nullptr);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_length = std::exchange(other.m_length, 0);
    }
    return *this;
}

DataBuffer::~DataBuffer() { delete[] m_data; }

void DataBuffer::reserve(int capacity)
{
    if (capacity > m_capacity || (m_data == nullptr && capacity > 0))
        reallocate(std::min(std::max(capacity, m_capacity), kMaxCapacity));
}

void DataBuffer::reserveFor(int count)
{
    const long long needed = static_cast<long long>(m_length) + count;
    if (needed <= m_capacity) {
        // The storage of a new buffer is made when the first byte arrives.
        if (m_data == nullptr && needed > 0)
            reallocate(m_capacity);
        return;
    }
    if (needed > kMaxCapacity)
        throw std::bad_alloc();
    const long long grown = std::max(2LL * m_length + 2, needed);
    reallocate(static_cast<int>(std::min<long long>(grown, kMaxCapacity)));
}

void DataBuffer::reallocate(int capacity)
{
    unsigned char* data = allocate(capacity);
    if (m_data != nullptr)
        std::memcpy(data, m_data, static_cast<size_t>(m_length) + 1);
    delete[] m_data;
    m_data = data;
    m_capacity = capacity;
}

bool DataBuffer::overlaps(const void* bytes) const
{
    if (m_data == nullptr || bytes == nullptr)
        return false;
    const std::less<const void*> before;
    return !before(bytes, m_data) && before(bytes, m_data + m_length + 1);
}

void DataBuffer::append(unsigned char byte)
{
    reserveFor(1);
    m_data[m_length++] = byte;
    m_data[m_length] = 0;
}

void DataBuffer::append(const void* bytes, int count)
{
    if (count <= 0 || bytes == nullptr)
        return;
    // The bytes may lie inside this buffer: copy them before the storage moves.
    if (overlaps(bytes)) {
        const DataBuffer copy(bytes, count);
        append(copy.m_data, count);
        return;
    }
    reserveFor(count);
    std::memcpy(m_data + m_length, bytes, static_cast<size_t>(count));
    m_length += count;
    m_data[m_length] = 0;
}

void DataBuffer::append(const char* text) { append(text, textLength(text)); }

void DataBuffer::append(const DataBuffer& other) { append(other.m_data, other.m_length); }

void DataBuffer::assign(const void* bytes, int count)
{
    if (overlaps(bytes)) {
        const DataBuffer copy(bytes, count);
        assign(copy.m_data, count);
        return;
    }
    clear();
    append(bytes, count);
}

void DataBuffer::assign(const char* text) { assign(text, textLength(text)); }

void DataBuffer::assign(const DataBuffer& other)
{
    if (this != &other)
        assign(other.m_data, other.m_length);
}

void DataBuffer::clear()
{
    m_length = 0;
    if (m_data != nullptr)
        m_data[0] = 0;
}

void DataBuffer::checkIndex(int i) const
{
    if (i < 0 || i > m_length)
        throw IndexOutOfBoundsException("Index not in array range");
}

unsigned char DataBuffer::at(int i) const
{
    checkIndex(i);
    return m_data == nullptr ? 0 : m_data[i];
}

bool DataBuffer::isDigit(int i) const
{
    const unsigned char c = at(i);
    return c >= '0' && c <= '9';
}

bool DataBuffer::startsWith(int i, const char* text) const
{
    checkIndex(i);
    const size_t n = text == nullptr ? 0 : std::strlen(text);
    if (n > static_cast<size_t>(m_length - i))
        return false;
    return n == 0 || std::memcmp(m_data + i, text, n) == 0;
}

int DataBuffer::readDigits(int i, DataBuffer& out, int max) const
{
    checkIndex(i);
    int n = 0;
    while (i + n < m_length && (max < 0 || n < max) && m_data[i + n] >= '0' && m_data[i + n] <= '9')
        ++n;
    out.append(m_data + i, n);
    return n;
}

uint32_t DataBuffer::readBytesAsInt(int offset, int count) const
{
    if (offset < 0 || static_cast<long long>(offset) + count > m_length)
        throw IndexOutOfBoundsException("DataBuffer::readBytesAsInt() int kann nicht gelesen werden.");
    if (count > 4)
        throw PdfException("DataBuffer::readBytesAsInt() anzahl nicht g\xFC"
                           "ltig.");
    uint32_t value = 0;
    for (int k = 0; k < count; ++k)
        value = (value << 8) | m_data[offset + k];
    return value;
}

int DataBuffer::compare(const DataBuffer& other) const
{
    const int common = std::min(m_length, other.m_length);
    if (common > 0) {
        const int c = std::memcmp(m_data, other.m_data, static_cast<size_t>(common));
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    return m_length < other.m_length ? -1 : (m_length > other.m_length ? 1 : 0);
}

bool DataBuffer::equals(const DataBuffer& other) const
{
    return m_length == other.m_length &&
           (m_length == 0 || std::memcmp(m_data, other.m_data, static_cast<size_t>(m_length)) == 0);
}

int DataBuffer::rfind(const char* text) const
{
    const size_t n = text == nullptr ? 0 : std::strlen(text);
    if (n > static_cast<size_t>(m_length))
        return -1;
    for (int i = m_length - static_cast<int>(n); i >= 0; --i) {
        if (n == 0 || std::memcmp(m_data + i, text, n) == 0)
            return i;
    }
    return -1;
}

double DataBuffer::toDouble() const { return m_data == nullptr ? 0.0 : parseDouble(cString()); }

int DataBuffer::toInt() const { return m_data == nullptr ? 0 : parseInt(cString()); }

} // namespace zpdf
