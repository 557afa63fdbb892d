#include "base/UrlEncode.h"

namespace {
bool staysAsIs(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.' || c == '~';
}
} // namespace

std::string urlEncodeBytes(std::string_view bytes)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (staysAsIs(c)) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 0x0F]);
        }
    }
    return out;
}

ZString urlEncode(const ZString& text)
{
    const std::string encoded = urlEncodeBytes(text.toUtf8());
    ZString out;
    for (const char c : encoded)
        out.appendChar(static_cast<wchar_t>(c));
    return out;
}
