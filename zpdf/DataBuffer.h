// DataBuffer: the growable byte buffer behind names, strings, stream data,
// number texts and reader input.
//
// The storage always has room for one byte more than the capacity, and the
// byte after the last one is kept zero, so the contents can be handed out as a
// C text at any time. Growth: when length + n exceeds the capacity, the new
// capacity is the larger of 2 x length + 2 and length + n (a new buffer holds 10;
// its storage is made when the first byte arrives, so empty buffers cost nothing).
#pragma once

#include <cstdint>

namespace zpdf {

class DataBuffer {
public:
    DataBuffer();
    explicit DataBuffer(const char* text);
    DataBuffer(const void* bytes, int count);
    DataBuffer(const DataBuffer& other);
    DataBuffer(DataBuffer&& other) noexcept;
    DataBuffer& operator=(const DataBuffer& other);
    DataBuffer& operator=(DataBuffer&& other) noexcept;
    ~DataBuffer();

    void append(unsigned char byte);
    void append(const void* bytes, int count);
    void append(const char* text);
    void append(const DataBuffer& other);
    void assign(const void* bytes, int count);
    void assign(const char* text);
    void assign(const DataBuffer& other);
    void clear();
    // Makes room for capacity bytes in all (for data of a known size).
    void reserve(int capacity);

    int length() const { return m_length; }
    int capacity() const { return m_capacity; }
    bool isEmpty() const { return m_length == 0; }
    const unsigned char* data() const { return m_data != nullptr ? m_data : kEmpty; }

    // The byte at i; i == length reads the terminating zero. Any other index
    // throws IndexOutOfBoundsException "Index not in array range".
    unsigned char at(int i) const;
    bool isDigit(int i) const;
    // True if the bytes from i on equal all of text.
    bool startsWith(int i, const char* text) const;
    // Appends the consecutive decimal digits from i to out, at most max of
    // them (max < 0: no limit); returns how many.
    int readDigits(int i, DataBuffer& out, int max = -1) const;
    // Big-endian unsigned integer of count bytes at offset (count <= 4).
    uint32_t readBytesAsInt(int offset, int count) const;

    // Bytewise unsigned order; of two texts where one begins the other, the shorter first.
    int compare(const DataBuffer& other) const;
    bool equals(const DataBuffer& other) const;
    // Last position where text occurs, -1 if none.
    int rfind(const char* text) const;

    // The bytes as a zero-terminated text.
    const char* cString() const { return reinterpret_cast<const char*>(data()); }
    // C strtod and atoi of the text ("." is the decimal point in every locale).
    double toDouble() const;
    int toInt() const;

private:
    static constexpr unsigned char kEmpty[1] = {0};

    void checkIndex(int i) const;
    bool overlaps(const void* bytes) const;
    void reserveFor(int count);
    void reallocate(int capacity);

    int m_capacity;
    int m_length;
    unsigned char* m_data;
};

} // namespace zpdf
