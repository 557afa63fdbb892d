#include "zpdf/Reader.h"

#include "zpdf/Exceptions.h"
#include "zpdf/NumberText.h"

#include <climits>
#include <cstring>

namespace zpdf {

const char Reader::kWhitespace[] = {' ', '\r', '\t', '\n', '\b', '\f', '\0'};
const char Reader::kNameDelimiters[] = {' ', '\0', '\r', '\n', '\b', '\f', '\t', '(', ')',
                                        '<', '>', '{', '}', '/', '%', '[', ']'};

namespace {

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isAlpha(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool inSet(int c, const char* set, int setSize)
{
    return c >= 0 && setSize > 0 && std::memchr(set, c, static_cast<size_t>(setSize)) != nullptr;
}

} // namespace

int Reader::peekByte()
{
    const int c = readByte();
    if (c >= 0)
        unread(1);
    return c;
}

template <typename Keep>
int Reader::takeWhile(DataBuffer* out, Keep keep)
{
    int n = 0;
    for (;;) {
        const int c = readByte();
        if (c < 0)
            return n;
        if (!keep(c)) {
            unread(1);
            return n;
        }
        if (out != nullptr)
            out->append(static_cast<unsigned char>(c));
        ++n;
    }
}

int Reader::readBytes(DataBuffer& out, int count)
{
    int n = 0;
    while (n < count) {
        const int c = readByte();
        if (c < 0)
            break;
        out.append(static_cast<unsigned char>(c));
        ++n;
    }
    return n;
}

namespace {

int offsetPosition(int position, long long delta)
{
    const long long target = position + delta;
    return target > INT_MAX ? INT_MAX : (target < 0 ? 0 : static_cast<int>(target));
}

} // namespace

void Reader::skip(int n) { seek(offsetPosition(tell(), n)); }

void Reader::unread(int n) { seek(offsetPosition(tell(), -static_cast<long long>(n))); }

int Reader::readDigits(DataBuffer& out) { return takeWhile(&out, isDigit); }

int Reader::readAlpha(DataBuffer& out) { return takeWhile(&out, isAlpha); }

int Reader::readNumberText(DataBuffer& out)
{
    int n = 0;
    const int first = peekByte();
    if (first == '+' || first == '-') {
        out.append(static_cast<unsigned char>(readByte()));
        ++n;
    }
    n += readDigits(out);
    if (peekByte() == '.') {
        out.append(static_cast<unsigned char>(readByte()));
        ++n;
        n += readDigits(out);
    }
    return n;
}

double Reader::readDouble()
{
    DataBuffer text;
    if (readNumberText(text) == 0)
        throw NumberFormatException("Could not read double");
    return text.toDouble();
}

int Reader::readInt()
{
    DataBuffer text;
    if (readNumberText(text) == 0)
        throw NumberFormatException("Could not read integer");
    return text.toInt();
}

bool Reader::isDigitNext() { return isDigit(peekByte()); }

bool Reader::isNumberNext()
{
    const int start = tell();
    int c = readByte();
    if (c == '+' || c == '-')
        c = readByte();
    if (c == '.')
        c = readByte();
    seek(start);
    return isDigit(c);
}

bool Reader::isAlphaNext() { return isAlpha(peekByte()); }

int Reader::skipDigits() { return takeWhile(nullptr, isDigit); }

int Reader::skipChars(const char* set, int setSize, int max)
{
    int n = 0;
    while (max < 0 || n < max) {
        const int c = readByte();
        if (c < 0)
            break;
        if (!inSet(c, set, setSize)) {
            unread(1);
            break;
        }
        ++n;
    }
    return n;
}

void Reader::readUntil(DataBuffer& out, const char* stopSet, int setSize)
{
    takeWhile(&out, [&](int c) { return !inSet(c, stopSet, setSize); });
}

int Reader::skipWhitespace() { return skipChars(kWhitespace, kWhitespaceCount, -1); }

int Reader::skipOneWhitespace() { return skipChars(kWhitespace, kWhitespaceCount, 1); }

int Reader::skipComments()
{
    int n = 0;
    while (peekByte() == '%')
        n += skipLine();
    return n;
}

bool Reader::peekMatches(const char* text)
{
    const int start = tell();
    bool matches = true;
    for (const char* p = text; *p != 0; ++p) {
        if (readByte() != static_cast<unsigned char>(*p)) {
            matches = false;
            break;
        }
    }
    seek(start);
    return matches;
}

bool Reader::peekIs(int byte) { return byte >= 0 && peekByte() == byte; }

int Reader::readLine(DataBuffer& out)
{
    int n = takeWhile(&out, [](int c) { return c != '\r' && c != '\n'; });
    return n + skipEOL();
}

int Reader::skipLine()
{
    int n = takeWhile(nullptr, [](int c) { return c != '\r' && c != '\n'; });
    return n + skipEOL();
}

int Reader::skipEOL()
{
    const int c = readByte();
    if (c == '\n')
        return 1;
    if (c == '\r') {
        if (peekByte() == '\n') {
            readByte();
            return 2;
        }
        return 1;
    }
    if (c >= 0)
        unread(1);
    return 0;
}

void Reader::mark() { m_marks.push_back(tell()); }

void Reader::reset()
{
    if (m_marks.empty())
        return;
    const int position = m_marks.back();
    m_marks.pop_back();
    seek(position);
}

void Reader::skipWsAndComments()
{
    while (skipWhitespace() + skipComments() > 0) {
    }
}

} // namespace zpdf
