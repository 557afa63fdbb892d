// ZString: the program's one string type, a growable buffer of wide characters.
//
// A ZString keeps a length and a capacity of its own (so growth is predictable:
// each step takes the larger of capacity * 3 / 2 and the room needed) and writes
// its terminating zero lazily, only when the buffer is handed out as a C string.
// A negative length means "not counted yet": the text runs to the first zero in
// the buffer, and the next operation that needs the length counts it.
//
// Counts follow one convention: a count of -1 (any negative count) means the
// text runs up to its terminating zero; a null pointer with a negative count is
// the empty text.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class ZString {
public:
    ZString();
    ZString(const wchar_t* text, int count = -1);
    ZString(std::wstring_view text);
    ZString(const ZString& other);
    ZString(ZString&& other) noexcept;
    ~ZString();

    // printf-style construction ("%ls" for wide texts, as on every platform).
    static ZString format(const wchar_t* fmt, ...);
    static ZString formatV(const wchar_t* fmt, va_list args);

    ZString& operator=(const ZString& other);
    ZString& operator=(ZString&& other) noexcept;
    ZString& operator=(const wchar_t* text);

    // --- mutation; every operation returns the string itself for chaining ---
    ZString& assign(const ZString& other);
    ZString& assign(const wchar_t* text, int count = -1);
    // Appends the first n characters of other; n < 0 or n > other's length: all.
    ZString& append(const ZString& other, int n = -1);
    ZString& append(const wchar_t* text, int count = -1);
    ZString& appendChar(wchar_t c);
    ZString& appendNumber(int32_t value, int radix = 10);
    ZString& appendNumber(long value, int radix = 10);
    ZString& appendNumber(unsigned long value, int radix = 10);
    ZString& appendFormat(const wchar_t* fmt, ...);
    ZString& appendFormatV(const wchar_t* fmt, va_list args);
    // Inserts at index, clamped to 0..length.
    ZString& insert(int index, const wchar_t* text, int count = -1);
    // Replaces characters a..b inclusive (a clamped to 0, b to length-1; nothing when a > b).
    ZString& replaceRange(int a, int b, const wchar_t* text, int count = -1);
    // Erases characters a..b inclusive; nothing when a > b, b < 0 or a >= length.
    ZString& erase(int a, int b);
    ZString& replaceFirst(const ZString& what, const ZString& by);
    // Replaces every occurrence; searching continues behind each inserted replacement.
    ZString& replaceAll(const ZString& what, const ZString& by);
    // Every character that occurs in set becomes by.
    ZString& replaceChars(const wchar_t* set, wchar_t by);
    // Shortens to n characters (n < 0: empty); a larger n changes nothing.
    ZString& truncate(int n);
    // Grows to n characters, filling the new room with zeros.
    ZString& setLength(int n);
    // Removes leading characters 9..13 and 32.
    ZString& trimLeft();
    // Removes them at the end, then at the start.
    ZString& trim();
    ZString& toLower();
    ZString& toUpper();

    ZString& operator+=(const ZString& other) { return append(other); }
    ZString& operator+=(const wchar_t* text) { return append(text); }
    ZString& operator+=(wchar_t c) { return appendChar(c); }

    // --- queries ---
    int length() const;
    int capacity() const { return m_capacity; }
    bool isEmpty() const { return length() == 0; }
    // Throws std::out_of_range("ZString::getAt(int): Index out of range").
    wchar_t getAt(int index) const;
    // The text, zero-terminated (the terminator is written here).
    const wchar_t* c_str() const;
    // Direct access for APIs that fill a buffer; call setLength first and
    // truncate (or markUncounted) afterwards.
    wchar_t* data() { return m_buffer; }
    // Marks the length as uncounted: the text runs to the first zero.
    ZString& markUncounted() { m_length = -1; return *this; }

    // The raw form takes every argument, so that a start index is never taken for a count.
    int find(const wchar_t* text, int count, int start) const;
    int find(const ZString& text, int start = 0) const { return find(text.m_buffer, text.length(), start); }
    int findChar(wchar_t c, int start = 0) const;
    int findLastChar(wchar_t c) const;
    bool startsWith(const wchar_t* text, int count = -1) const;
    bool startsWith(wchar_t c) const;
    bool endsWith(const wchar_t* text, int count = -1) const;
    bool endsWith(wchar_t c) const;
    bool startsWith(const ZString& s) const { return startsWith(s.m_buffer, s.length()); }
    bool endsWith(const ZString& s) const { return endsWith(s.m_buffer, s.length()); }
    // How many characters of the string occur in set.
    int countChars(const wchar_t* set) const;
    // Characters a..b inclusive (a < 0 taken as 0; b < 0 or beyond the end: the last index).
    ZString substring(int a, int b = -1) const;
    // Ordinal comparison of the code units: -1, 0 or 1.
    int compare(const ZString& other) const;
    bool equals(const ZString& other) const { return compare(other) == 0; }
    bool equals(const wchar_t* text) const;
    bool equalsIgnoreCase(const ZString& other) const;
    // The leading characters that form a number; 0 when none.
    int32_t toInt(int radix = 10) const;
    double toDouble() const;

    std::wstring_view view() const { return std::wstring_view(m_buffer, static_cast<size_t>(length())); }
    std::wstring toStdString() const { return std::wstring(view()); }
    // UTF-8 encoding of the text (surrogate pairs joined; lone surrogates as U+FFFD).
    std::string toUtf8() const;

    bool operator==(const ZString& o) const { return equals(o); }
    bool operator==(const wchar_t* o) const { return equals(o); }
    bool operator<(const ZString& o) const { return compare(o) < 0; }

private:
    void ensureCapacity(int needed);
    void counted() const;
    static int textLength(const wchar_t* text, int count);

    wchar_t* m_buffer;
    mutable int m_length;
    int m_capacity;
};

ZString operator+(const ZString& a, const ZString& b);
ZString operator+(const ZString& a, const wchar_t* b);
ZString operator+(const wchar_t* a, const ZString& b);

template <>
struct std::hash<ZString> {
    size_t operator()(const ZString& s) const noexcept { return std::hash<std::wstring_view>()(s.view()); }
};
