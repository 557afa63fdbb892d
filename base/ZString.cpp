#include "base/ZString.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

bool isTrimmed(wchar_t c) { return (c >= 9 && c <= 13) || c == 32; }

wchar_t* allocate(int capacity)
{
    auto* buffer = new wchar_t[static_cast<size_t>(capacity) + 1];
    buffer[0] = 0;
    return buffer;
}

// Integer to text in the given radix, as the C runtime's _itow family does:
// lower-case digits, a minus sign only for negative values in radix 10.
template <typename U>
void unsignedDigits(U value, int radix, wchar_t* out, int& n)
{
    wchar_t tmp[72];
    int k = 0;
    do {
        const int d = static_cast<int>(value % static_cast<U>(radix));
        tmp[k++] = static_cast<wchar_t>(d < 10 ? L'0' + d : L'a' + d - 10);
        value /= static_cast<U>(radix);
    } while (value != 0);
    while (k > 0)
        out[n++] = tmp[--k];
}

template <typename S, typename U>
int signedToText(S value, int radix, wchar_t* out)
{
    if (radix < 2 || radix > 36)
        radix = 10;
    int n = 0;
    if (radix == 10 && value < 0) {
        out[n++] = L'-';
        unsignedDigits<U>(static_cast<U>(0) - static_cast<U>(value), radix, out, n);
    } else {
        unsignedDigits<U>(static_cast<U>(value), radix, out, n);
    }
    return n;
}

// Formats into a temporary buffer that grows until the text fits; returns the text.
std::vector<wchar_t> formatToBuffer(const wchar_t* fmt, va_list args, int& outLength)
{
    std::vector<wchar_t> buffer(512);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int n = std::vswprintf(buffer.data(), buffer.size(), fmt, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
            outLength = n;
            return buffer;
        }
        if (buffer.size() >= (size_t(1) << 26)) { // a format error, not a size problem
            outLength = 0;
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

ZString::ZString() : m_buffer(allocate(0)), m_length(0), m_capacity(0) {}

ZString::ZString(const wchar_t* text, int count) : ZString()
{
    assign(text, count);
}

ZString::ZString(std::wstring_view text) : ZString()
{
    assign(text.data(), static_cast<int>(text.size()));
}

ZString::ZString(const ZString& other)
{
    const int n = other.length();
    m_buffer = allocate(n);
    std::wmemcpy(m_buffer, other.m_buffer, static_cast<size_t>(n));
    m_length = n;
    m_capacity = n;
}

ZString::ZString(ZString&& other) noexcept
    : m_buffer(other.m_buffer), m_length(other.m_length), m_capacity(other.m_capacity)
{
    // The moved-from string stays valid and empty; a live ZString never has a null buffer.
    other.m_buffer = new (std::nothrow) wchar_t[1];
    if (other.m_buffer == nullptr)
        std::terminate();
    other.m_buffer[0] = 0;
    other.m_length = 0;
    other.m_capacity = 0;
}

ZString::~ZString()
{
    m_buffer[0] = 0;
    delete[] m_buffer;
    m_buffer = nullptr;
    m_length = 0;
    m_capacity = 0;
}

ZString ZString::format(const wchar_t* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    ZString s = formatV(fmt, args);
    va_end(args);
    return s;
}

ZString ZString::formatV(const wchar_t* fmt, va_list args)
{
    int n = 0;
    std::vector<wchar_t> text = formatToBuffer(fmt, args, n);
    ZString s;
    s.ensureCapacity(n);
    std::wmemcpy(s.m_buffer, text.data(), static_cast<size_t>(n));
    s.m_length = n;
    return s;
}

ZString& ZString::operator=(const ZString& other) { return assign(other); }

ZString& ZString::operator=(ZString&& other) noexcept
{
    if (this != &other) {
        std::swap(m_buffer, other.m_buffer);
        std::swap(m_length, other.m_length);
        std::swap(m_capacity, other.m_capacity);
    }
    return *this;
}

ZString& ZString::operator=(const wchar_t* text) { return assign(text, -1); }

int ZString::textLength(const wchar_t* text, int count)
{
    if (text == nullptr)
        return 0;
    if (count < 0)
        return static_cast<int>(std::wcslen(text));
    return count;
}

void ZString::counted() const
{
    if (m_length < 0) {
        int n = 0;
        while (n < m_capacity && m_buffer[n] != 0)
            ++n;
        m_length = n;
    }
}

void ZString::ensureCapacity(int needed)
{
    if (needed <= m_capacity)
        return;
    counted();
    const int grown = m_capacity + m_capacity / 2;
    const int capacity = std::max(grown, needed);
    wchar_t* buffer = allocate(capacity);
    std::wmemcpy(buffer, m_buffer, static_cast<size_t>(m_length));
    delete[] m_buffer;
    m_buffer = buffer;
    m_capacity = capacity;
}

ZString& ZString::assign(const ZString& other)
{
    if (this == &other)
        return *this;
    return assign(other.m_buffer, other.length());
}

ZString& ZString::assign(const wchar_t* text, int count)
{
    const int n = textLength(text, count);
    if (text >= m_buffer && text <= m_buffer + m_capacity) {
        // Assigning a part of ourselves: copy first.
        ZString copy(text, n);
        return assign(copy);
    }
    m_length = 0;
    ensureCapacity(n);
    if (n > 0)
        std::wmemcpy(m_buffer, text, static_cast<size_t>(n));
    m_length = n;
    return *this;
}

ZString& ZString::append(const ZString& other, int n)
{
    const int len = other.length();
    if (n < 0 || n > len)
        n = len;
    if (this == &other) {
        ZString copy(other);
        return append(copy.m_buffer, n);
    }
    return append(other.m_buffer, n);
}

ZString& ZString::append(const wchar_t* text, int count)
{
    const int n = textLength(text, count);
    if (n == 0)
        return *this;
    if (text >= m_buffer && text <= m_buffer + m_capacity) {
        ZString copy(text, n);
        return append(copy.m_buffer, n);
    }
    counted();
    ensureCapacity(m_length + n);
    std::wmemcpy(m_buffer + m_length, text, static_cast<size_t>(n));
    m_length += n;
    return *this;
}

ZString& ZString::appendChar(wchar_t c)
{
    counted();
    ensureCapacity(m_length + 1);
    m_buffer[m_length++] = c;
    return *this;
}

ZString& ZString::appendNumber(int32_t value, int radix)
{
    wchar_t text[72];
    const int n = signedToText<int32_t, uint32_t>(value, radix, text);
    return append(text, n);
}

ZString& ZString::appendNumber(long value, int radix)
{
    wchar_t text[72];
    const int n = signedToText<long, unsigned long>(value, radix, text);
    return append(text, n);
}

ZString& ZString::appendNumber(unsigned long value, int radix)
{
    if (radix < 2 || radix > 36)
        radix = 10;
    wchar_t text[72];
    int n = 0;
    unsignedDigits<unsigned long>(value, radix, text, n);
    return append(text, n);
}

ZString& ZString::appendFormat(const wchar_t* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    appendFormatV(fmt, args);
    va_end(args);
    return *this;
}

ZString& ZString::appendFormatV(const wchar_t* fmt, va_list args)
{
    int n = 0;
    std::vector<wchar_t> text = formatToBuffer(fmt, args, n);
    return append(text.data(), n);
}

ZString& ZString::insert(int index, const wchar_t* text, int count)
{
    const int n = textLength(text, count);
    if (n == 0)
        return *this;
    const int len = length();
    index = std::clamp(index, 0, len);
    ZString tail(m_buffer + index, len - index);
    ZString piece(text, n);
    m_length = index;
    append(piece);
    append(tail);
    return *this;
}

ZString& ZString::replaceRange(int a, int b, const wchar_t* text, int count)
{
    const int len = length();
    a = std::max(a, 0);
    b = std::min(b, len - 1);
    if (a > b)
        return *this;
    ZString tail(m_buffer + b + 1, len - b - 1);
    ZString piece(text, textLength(text, count));
    m_length = a;
    append(piece);
    append(tail);
    return *this;
}

ZString& ZString::erase(int a, int b)
{
    const int len = length();
    if (a > b || b < 0 || a >= len)
        return *this;
    a = std::max(a, 0);
    b = std::min(b, len - 1);
    std::wmemmove(m_buffer + a, m_buffer + b + 1, static_cast<size_t>(len - b - 1));
    m_length = len - (b - a + 1);
    return *this;
}

ZString& ZString::replaceFirst(const ZString& what, const ZString& by)
{
    const int w = what.length();
    if (w == 0)
        return *this;
    const int at = find(what.m_buffer, w, 0);
    if (at >= 0) {
        const ZString replacement(by);
        replaceRange(at, at + w - 1, replacement.m_buffer, replacement.length());
    }
    return *this;
}

ZString& ZString::replaceAll(const ZString& what, const ZString& by)
{
    const int w = what.length();
    if (w == 0)
        return *this;
    const ZString needle(what);
    const ZString replacement(by);
    int from = 0;
    for (;;) {
        const int at = find(needle.m_buffer, w, from);
        if (at < 0)
            break;
        replaceRange(at, at + w - 1, replacement.m_buffer, replacement.length());
        from = at + replacement.length();
    }
    return *this;
}

ZString& ZString::replaceChars(const wchar_t* set, wchar_t by)
{
    if (set == nullptr)
        return *this;
    const int len = length();
    for (int i = 0; i < len; ++i)
        if (m_buffer[i] != 0 && std::wcschr(set, m_buffer[i]) != nullptr)
            m_buffer[i] = by;
    return *this;
}

ZString& ZString::truncate(int n)
{
    const int len = length();
    if (n < 0)
        n = 0;
    if (n < len)
        m_length = n;
    return *this;
}

ZString& ZString::setLength(int n)
{
    const int len = length();
    if (n <= len)
        return truncate(n);
    ensureCapacity(n);
    std::wmemset(m_buffer + len, 0, static_cast<size_t>(n - len));
    m_length = n;
    return *this;
}

ZString& ZString::trimLeft()
{
    const int len = length();
    int i = 0;
    while (i < len && isTrimmed(m_buffer[i]))
        ++i;
    if (i > 0)
        erase(0, i - 1);
    return *this;
}

ZString& ZString::trim()
{
    int len = length();
    while (len > 0 && isTrimmed(m_buffer[len - 1]))
        --len;
    m_length = len;
    return trimLeft();
}

ZString& ZString::toLower()
{
    const int len = length();
    for (int i = 0; i < len; ++i)
        m_buffer[i] = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(m_buffer[i])));
    return *this;
}

ZString& ZString::toUpper()
{
    const int len = length();
    for (int i = 0; i < len; ++i)
        m_buffer[i] = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(m_buffer[i])));
    return *this;
}

int ZString::length() const
{
    counted();
    return m_length;
}

wchar_t ZString::getAt(int index) const
{
    if (index < 0 || index >= length())
        throw std::out_of_range("ZString::getAt(int): Index out of range");
    return m_buffer[index];
}

const wchar_t* ZString::c_str() const
{
    counted();
    m_buffer[m_length] = 0;
    return m_buffer;
}

int ZString::find(const wchar_t* text, int count, int start) const
{
    const int len = length();
    if (start < 0 || start > len)
        return -1;
    const int n = textLength(text, count);
    if (n == 0)
        return start < len ? start : -1;
    const std::wstring_view hay(m_buffer, static_cast<size_t>(len));
    const size_t at = hay.find(std::wstring_view(text, static_cast<size_t>(n)), static_cast<size_t>(start));
    return at == std::wstring_view::npos ? -1 : static_cast<int>(at);
}

int ZString::findChar(wchar_t c, int start) const
{
    const int len = length();
    if (start < 0)
        start = 0;
    for (int i = start; i < len; ++i)
        if (m_buffer[i] == c)
            return i;
    return -1;
}

int ZString::findLastChar(wchar_t c) const
{
    for (int i = length() - 1; i >= 0; --i)
        if (m_buffer[i] == c)
            return i;
    return -1;
}

bool ZString::startsWith(const wchar_t* text, int count) const
{
    const int n = textLength(text, count);
    return n <= length() && std::wmemcmp(m_buffer, text, static_cast<size_t>(n)) == 0;
}

bool ZString::startsWith(wchar_t c) const { return length() > 0 && m_buffer[0] == c; }

bool ZString::endsWith(const wchar_t* text, int count) const
{
    const int n = textLength(text, count);
    const int len = length();
    return n <= len && std::wmemcmp(m_buffer + len - n, text, static_cast<size_t>(n)) == 0;
}

bool ZString::endsWith(wchar_t c) const
{
    const int len = length();
    return len > 0 && m_buffer[len - 1] == c;
}

int ZString::countChars(const wchar_t* set) const
{
    if (set == nullptr)
        return 0;
    const int len = length();
    int n = 0;
    for (const wchar_t* s = set; *s != 0; ++s)
        for (int i = 0; i < len; ++i)
            if (m_buffer[i] == *s)
                ++n;
    return n;
}

ZString ZString::substring(int a, int b) const
{
    const int len = length();
    if (a < 0)
        a = 0;
    if (b < 0 || b >= len)
        b = len - 1;
    if (a > b)
        return ZString();
    return ZString(m_buffer + a, b - a + 1);
}

int ZString::compare(const ZString& other) const
{
    const int a = length();
    const int b = other.length();
    const int n = std::min(a, b);
    for (int i = 0; i < n; ++i) {
        // Code units compared as unsigned 16-bit values on every platform.
        const auto x = static_cast<uint32_t>(m_buffer[i]);
        const auto y = static_cast<uint32_t>(other.m_buffer[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a == b)
        return 0;
    return a < b ? -1 : 1;
}

bool ZString::equals(const wchar_t* text) const
{
    const int n = textLength(text, -1);
    return n == length() && std::wmemcmp(m_buffer, text, static_cast<size_t>(n)) == 0;
}

bool ZString::equalsIgnoreCase(const ZString& other) const
{
    const int n = length();
    if (n != other.length())
        return false;
    for (int i = 0; i < n; ++i)
        if (std::towlower(static_cast<wint_t>(m_buffer[i])) != std::towlower(static_cast<wint_t>(other.m_buffer[i])))
            return false;
    return true;
}

int32_t ZString::toInt(int radix) const
{
    const long v = std::wcstol(c_str(), nullptr, radix);
    return static_cast<int32_t>(v);
}

double ZString::toDouble() const
{
    // Independent of the process locale: the decimal separator is always '.'.
    const int len = length();
    std::string narrow;
    int i = 0;
    while (i < len && std::iswspace(static_cast<wint_t>(m_buffer[i])))
        ++i;
    for (; i < len && m_buffer[i] < 128 && m_buffer[i] > 0; ++i)
        narrow.push_back(static_cast<char>(m_buffer[i]));
    const char* first = narrow.c_str();
    if (*first == '+')
        ++first;
    double value = 0;
    std::from_chars(first, narrow.c_str() + narrow.size(), value);
    return value;
}

std::string ZString::toUtf8() const
{
    const int len = length();
    std::string out;
    out.reserve(static_cast<size_t>(len));
    for (int i = 0; i < len; ++i) {
        uint32_t c = static_cast<uint32_t>(m_buffer[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < len) {
            const auto lo = static_cast<uint32_t>(m_buffer[i + 1]);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

ZString operator+(const ZString& a, const ZString& b)
{
    ZString s(a);
    return s.append(b);
}

ZString operator+(const ZString& a, const wchar_t* b)
{
    ZString s(a);
    return s.append(b);
}

ZString operator+(const wchar_t* a, const ZString& b)
{
    ZString s(a);
    return s.append(b);
}
