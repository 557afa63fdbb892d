#include "base/TextUtil.h"

#include <cwctype>
#include <mutex>
#include <random>
#include <stdexcept>

const wchar_t* const kRandomAlphabetDefault =
    L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!@#$%^&*";
const wchar_t* const kRandomAlphabetLowerAlnum = L"0123456789abcdefghijklmnopqrstuvwxyz";
const wchar_t* const kRandomAlphabetAlnum = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

ZString quote(const ZString& text, bool spaceBefore, bool spaceAfter)
{
    ZString s;
    if (spaceBefore)
        s.appendChar(L' ');
    s.appendChar(L'"').append(text).appendChar(L'"');
    if (spaceAfter)
        s.appendChar(L' ');
    return s;
}

void split(const ZString& text, const ZString& separator, std::vector<ZString>& out, bool keepEmpty)
{
    const int sepLen = separator.length();
    if (sepLen == 0) {
        if (keepEmpty || !text.isEmpty())
            out.push_back(text);
        return;
    }
    int from = 0;
    for (;;) {
        const int at = text.find(separator, from);
        const int end = at < 0 ? text.length() : at;
        if (end > from || keepEmpty)
            out.push_back(end > from ? text.substring(from, end - 1) : ZString());
        if (at < 0)
            break;
        from = at + sepLen;
    }
}

int skipSpaces(const wchar_t* text)
{
    int i = 0;
    while (text[i] != 0 && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    return i;
}

ZString utf8Decode(const char* bytes)
{
    ZString out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    while (*p != 0) {
        const unsigned c = *p++;
        if (c < 0x80) {
            out.appendChar(static_cast<wchar_t>(c));
        } else if (c >= 0xC0 && c <= 0xDF) {
            const unsigned c2 = *p;
            if ((c2 & 0xC0) != 0x80)
                throw std::runtime_error("Invalid format: 1");
            ++p;
            out.appendChar(static_cast<wchar_t>(((c & 0x1F) << 6) | (c2 & 0x3F)));
        } else if (c >= 0xE0 && c <= 0xEF) {
            const unsigned c2 = p[0];
            if ((c2 & 0xC0) != 0x80)
                throw std::runtime_error("Invalid format: 2");
            const unsigned c3 = p[1];
            if ((c3 & 0xC0) != 0x80)
                throw std::runtime_error("Invalid format: 2");
            p += 2;
            out.appendChar(static_cast<wchar_t>(((c & 0x0F) << 12) | ((c2 & 0x3F) << 6) | (c3 & 0x3F)));
        } else {
            throw std::runtime_error("Invalid format: 3");
        }
    }
    return out;
}

ZString utf8DecodeLenient(const char* bytes, size_t size)
{
    ZString out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + size;
    while (p < end) {
        const unsigned c = *p;
        int extra = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            cp = c;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            out.appendChar(0xFFFD);
            ++p;
            continue;
        }
        if (end - p < extra + 1) { // truncated at the end
            out.appendChar(0xFFFD);
            break;
        }
        bool ok = true;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (!ok) {
            out.appendChar(0xFFFD);
            ++p;
            continue;
        }
        p += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.appendChar(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.appendChar(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.appendChar(static_cast<wchar_t>(cp));
        }
    }
    return out;
}

ZString randomString(int n, const wchar_t* alphabet)
{
    static std::random_device device;
    static std::mutex lock;
    const ZString chars(alphabet != nullptr ? alphabet : kRandomAlphabetDefault);
    ZString out;
    if (chars.isEmpty())
        return out;
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 0; i < n; ++i)
        out.appendChar(chars.getAt(static_cast<int>(device() % static_cast<unsigned>(chars.length()))));
    return out;
}

ZString widenBytes(const char* bytes)
{
    std::wstring text;
    for (const char* p = bytes; p != nullptr && *p != 0; ++p)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return ZString(text);
}
