#include "xhtml/StyleValue.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace xhtml {

bool StyleValue::operator==(const StyleValue& o) const
{
    return kind == o.kind && integer == o.integer && number == o.number && colour == o.colour && text == o.text &&
           list == o.list && percent == o.percent;
}

namespace {

int hexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// A pair of characters read the way "%x" reads it: leading hex digits, else 0.
uint32_t hexPair(wchar_t a, wchar_t b)
{
    const int high = hexDigit(a);
    if (high < 0)
        return 0;
    const int low = hexDigit(b);
    return low < 0 ? static_cast<uint32_t>(high) : static_cast<uint32_t>(high * 16 + low);
}

uint32_t hexSingle(wchar_t c)
{
    const int d = hexDigit(c);
    return d < 0 ? 0 : static_cast<uint32_t>(d);
}

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

} // namespace

StyleValue parseLength(const ZString& text)
{
    ZString t(text);
    t.trim();
    const std::wstring_view v = t.view();
    StyleValue value;
    value.percent = !v.empty() && v.back() == L'%';
    if (v.size() >= 2 && v[0] == L'0' && (v[1] == L'x' || v[1] == L'X')) {
        const std::wstring digits(v);
        value.kind = StyleValue::Integer;
        value.integer = static_cast<int32_t>(std::wcstoll(digits.c_str(), nullptr, 0));
        return value;
    }
    // Our own decimal reading, so that no locale's decimal point gets in the way.
    size_t i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == L'-' || v[i] == L'+'))
        negative = v[i++] == L'-';
    double whole = 0;
    for (; i < v.size() && isDigit(v[i]); ++i)
        whole = whole * 10 + (v[i] - L'0');
    double fraction = 0;
    bool hasFraction = false;
    if (i < v.size() && v[i] == L'.') {
        double scale = 0.1;
        for (++i; i < v.size() && isDigit(v[i]); ++i, scale /= 10) {
            fraction += (v[i] - L'0') * scale;
            hasFraction = hasFraction || v[i] != L'0';
        }
    }
    double number = whole + fraction;
    if (negative)
        number = -number;
    if (!hasFraction && std::fabs(number) <= 2147483647.0) {
        value.kind = StyleValue::Integer;
        value.integer = static_cast<int32_t>(number);
    } else {
        value.kind = StyleValue::Float;
        value.number = number;
    }
    return value;
}

uint32_t namedColour(const ZString& name, bool& found);

uint32_t parseColour(const ZString& text)
{
    bool found = false;
    const uint32_t named = namedColour(text, found);
    if (found)
        return named;
    const std::wstring_view v = text.view();
    if (v.empty() || v[0] != L'#')
        return kTransparent;
    switch (v.size()) {
    case 9:
        return hexPair(v[1], v[2]) | hexPair(v[3], v[4]) << 8 | hexPair(v[5], v[6]) << 16 | hexPair(v[7], v[8]) << 24;
    case 7:
        return hexPair(v[1], v[2]) | hexPair(v[3], v[4]) << 8 | hexPair(v[5], v[6]) << 16;
    case 5:
        return hexSingle(v[1]) | hexSingle(v[2]) << 8 | hexSingle(v[3]) << 16 | hexSingle(v[4]) << 24;
    case 4:
        return hexSingle(v[1]) | hexSingle(v[2]) << 8 | hexSingle(v[3]) << 16;
    default:
        return kTransparent;
    }
}

bool isColourName(const ZString& text)
{
    bool found = false;
    namedColour(text, found);
    return found;
}

} // namespace xhtml
