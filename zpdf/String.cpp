#include "zpdf/String.h"

#include "zpdf/HexDigits.h"
#include "zpdf/Writer.h"

namespace zpdf {

namespace {

// The literal string between its delimiters, starting at bytes[1].
void literalText(const unsigned char* bytes, int end, ZString& text)
{
    if (end >= 3 && bytes[1] == 0xFE && bytes[2] == 0xFF) {
        for (int i = 3; i < end; i += 2) {
            const unsigned high = bytes[i];
            const unsigned low = i + 1 < end ? bytes[i + 1] : 0;
            text.appendChar(static_cast<wchar_t>(high << 8 | low));
        }
        return;
    }
    int i = 1;
    while (i < end) {
        const unsigned char c = bytes[i++];
        if (c != '\\' || i >= end) {
            text.appendChar(static_cast<wchar_t>(c));
            continue;
        }
        const unsigned char e = bytes[i];
        if (e >= '0' && e <= '9') {
            unsigned value = 0;
            for (int n = 0; n < 3 && i < end && bytes[i] >= '0' && bytes[i] <= '9'; ++n)
                value = value * 8 + static_cast<unsigned>(bytes[i++] - '0');
            text.appendChar(static_cast<wchar_t>(value));
            continue;
        }
        ++i;
        switch (e) {
        case 'n': text.appendChar(L'\n'); break;
        case 'r': text.appendChar(L'\r'); break;
        case 't': text.appendChar(L'\t'); break;
        case 'b': text.appendChar(L'\b'); break;
        case 'f': text.appendChar(L'\f'); break;
        case 0: case 8: case 9: case 10: case 12: case 13: break; // an escaped line end or space: dropped
        default: text.appendChar(static_cast<wchar_t>(e)); break; // "\\", "(", ")" and any other byte
        }
    }
}

void hexText(const unsigned char* bytes, int end, ZString& text)
{
    if (end - 1 >= 4 && bytes[1] == 'F' && bytes[2] == 'E' && bytes[3] == 'F' && bytes[4] == 'F') {
        for (int i = 5; i + 4 <= end; i += 4)
            text.appendChar(static_cast<wchar_t>(leadingHexValue(bytes + i, 4)));
        return;
    }
    for (int i = 1; i + 2 <= end; i += 2)
        text.appendChar(static_cast<wchar_t>(leadingHexValue(bytes + i, 2)));
}

} // namespace

ZString String::getText() const
{
    ZString text;
    const int length = m_bytes.length();
    if (length < 1)
        return text;
    const unsigned char* bytes = m_bytes.data();
    const unsigned char open = bytes[0];
    if (open != '(' && open != '<')
        return text;
    // The closing delimiter is the last byte; a string cut off by the end of
    // the file has none and runs to its end.
    const unsigned char close = open == '(' ? ')' : '>';
    const int end = length > 1 && bytes[length - 1] == close ? length - 1 : length;
    if (open == '(')
        literalText(bytes, end, text);
    else
        hexText(bytes, end, text);
    return text;
}

DataBuffer String::value() const
{
    DataBuffer out;
    const int length = m_bytes.length();
    if (length < 1)
        return out;
    const unsigned char* bytes = m_bytes.data();
    const unsigned char open = bytes[0];
    const unsigned char close = open == '(' ? ')' : '>';
    const int end = length > 1 && bytes[length - 1] == close ? length - 1 : length;
    if (open == '<') {
        int high = -1;
        for (int i = 1; i < end; ++i) {
            const int d = hexDigitValue(bytes[i]);
            if (d < 0)
                continue;
            if (high < 0) {
                high = d;
            } else {
                out.append(static_cast<unsigned char>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0)
            out.append(static_cast<unsigned char>(high * 16));
        return out;
    }
    if (open != '(')
        return out;
    int i = 1;
    while (i < end) {
        const unsigned char c = bytes[i++];
        if (c == '\r') {
            if (i < end && bytes[i] == '\n')
                ++i;
            out.append('\n');
            continue;
        }
        if (c != '\\' || i >= end) {
            out.append(c);
            continue;
        }
        const unsigned char e = bytes[i];
        if (e >= '0' && e <= '7') {
            unsigned v = 0;
            for (int n = 0; n < 3 && i < end && bytes[i] >= '0' && bytes[i] <= '7'; ++n)
                v = v * 8 + static_cast<unsigned>(bytes[i++] - '0');
            out.append(static_cast<unsigned char>(v & 0xFF));
            continue;
        }
        ++i;
        switch (e) {
        case 'n': out.append('\n'); break;
        case 'r': out.append('\r'); break;
        case 't': out.append('\t'); break;
        case 'b': out.append('\b'); break;
        case 'f': out.append('\f'); break;
        case '\r': // an escaped line end continues the string
            if (i < end && bytes[i] == '\n')
                ++i;
            break;
        case '\n': break;
        default: out.append(e); break;
        }
    }
    return out;
}

IPtr<String> String::ofBytes(const DataBuffer& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    DataBuffer raw;
    raw.reserve(bytes.length() * 2 + 2);
    raw.append('<');
    for (int i = 0; i < bytes.length(); ++i) {
        raw.append(static_cast<unsigned char>(digits[bytes.data()[i] >> 4]));
        raw.append(static_cast<unsigned char>(digits[bytes.data()[i] & 15]));
    }
    raw.append('>');
    return IPtr<String>(new String(raw));
}

void String::write(Writer& writer) const { writer.writeBuffer(m_bytes); }

IPtr<Object> String::clone() const { return IPtr<Object>(new String(m_bytes)); }

bool String::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::String &&
           static_cast<const String*>(other)->m_bytes.equals(m_bytes);
}

} // namespace zpdf
