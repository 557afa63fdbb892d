#include "xhtml/Entities.h"

#include <cstdint>
#include <string_view>

namespace xhtml {

namespace {

// Latin-1 names, each standing for 160 plus its position.
constexpr const wchar_t* kLatin1[] = {
    L"nbsp",   L"iexcl",  L"cent",   L"pound",  L"curren", L"yen",    L"brvbar", L"sect",   L"uml",    L"copy",
    L"ordf",   L"laquo",  L"not",    L"shy",    L"reg",    L"macr",   L"deg",    L"plusmn", L"sup2",   L"sup3",
    L"acute",  L"micro",  L"para",   L"middot", L"cedil",  L"sup1",   L"ordm",   L"raquo",  L"frac14", L"frac12",
    L"frac34", L"iquest", L"Agrave", L"Aacute", L"Acirc",  L"Atilde", L"Auml",   L"Aring",  L"AElig",  L"Ccedil",
    L"Egrave", L"Eacute", L"Ecirc",  L"Euml",   L"Igrave", L"Iacute", L"Icirc",  L"Iuml",   L"ETH",    L"Ntilde",
    L"Ograve", L"Oacute", L"Ocirc",  L"Otilde", L"Ouml",   L"times",  L"Oslash", L"Ugrave", L"Uacute", L"Ucirc",
    L"Uuml",   L"Yacute", L"THORN",  L"szlig",  L"agrave", L"aacute", L"acirc",  L"atilde", L"auml",   L"aring",
    L"aelig",  L"ccedil", L"egrave", L"eacute", L"ecirc",  L"euml",   L"igrave", L"iacute", L"icirc",  L"iuml",
    L"eth",    L"ntilde", L"ograve", L"oacute", L"ocirc",  L"otilde", L"ouml",   L"divide", L"oslash", L"ugrave",
    L"uacute", L"ucirc",  L"uuml",   L"yacute", L"thorn",  L"yuml",
};
static_assert(sizeof kLatin1 / sizeof kLatin1[0] == 96);

struct Named {
    const wchar_t* name;
    wchar_t code;
};

// The rest; several give a plain substitute instead of the typographic character.
constexpr Named kOthers[] = {
    {L"quot", 34},     {L"amp", 38},      {L"lt", 60},       {L"gt", 62},       {L"OElig", L'E'},
    {L"oelig", L'e'},  {L"Scaron", L'S'}, {L"scaron", L's'}, {L"Yuml", 255},    {L"fnof", L'f'},
    {L"circ", L'^'},   {L"tilde", L'~'},  {L"trade", 8482},  {L"ndash", L'-'},  {L"mdash", 8212},
    {L"lsquo", 8216},  {L"rsquo", 8217},  {L"sbquo", L','},  {L"ldquo", L'"'},  {L"rdquo", L'"'},
    {L"euro", 8364},   {L"bdquo", 8222},  {L"dagger", 8224}, {L"Dagger", 8225}, {L"bull", 8226},
    {L"hellip", 8230}, {L"permil", 8240}, {L"lsaquo", 8249}, {L"rsaquo", 8250},
};
static_assert(sizeof kOthers / sizeof kOthers[0] + 96 == 125);

int digitValue(wchar_t c, int base)
{
    int v = -1;
    if (c >= L'0' && c <= L'9')
        v = c - L'0';
    else if (c >= L'a' && c <= L'f')
        v = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F')
        v = c - L'A' + 10;
    return v < base ? v : -1;
}

// The digits must fill the whole text; at least minDigits of them.
bool readNumber(std::wstring_view digits, int base, size_t minDigits, wchar_t& code)
{
    if (digits.size() < minDigits)
        return false;
    uint32_t value = 0;
    for (wchar_t c : digits) {
        const int d = digitValue(c, base);
        if (d < 0)
            return false;
        value = (value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d)) & 0xFFFF;
    }
    code = static_cast<wchar_t>(value);
    return true;
}

// body: what stands between "&" and ";".
bool resolve(std::wstring_view body, wchar_t& code)
{
    if (!body.empty() && body[0] == L'#') {
        const std::wstring_view n = body.substr(1);
        if (!n.empty() && (n[0] == L'x' || n[0] == L'X'))
            return readNumber(n.substr(1), 16, 1, code);
        if (n.size() >= 2 && n[0] == L'0' && (n[1] == L'x' || n[1] == L'X'))
            return readNumber(n.substr(2), 16, 1, code);
        if (!n.empty() && n[0] == L'0')
            return readNumber(n.substr(1), 8, 0, code);
        return readNumber(n, 10, 1, code);
    }
    for (size_t i = 0; i < 96; ++i)
        if (body == kLatin1[i]) {
            code = static_cast<wchar_t>(160 + i);
            return true;
        }
    for (const Named& named : kOthers)
        if (body == named.name) {
            code = named.code;
            return true;
        }
    return false;
}

} // namespace

ZString decodeEntities(const ZString& text)
{
    if (text.findChar(L'&') < 0)
        return text;
    const std::wstring_view t = text.view();
    ZString out;
    size_t i = 0;
    while (i < t.size()) {
        if (t[i] != L'&') {
            const size_t amp = t.find(L'&', i);
            const size_t end = amp == std::wstring_view::npos ? t.size() : amp;
            out.append(t.data() + i, static_cast<int>(end - i));
            i = end;
            continue;
        }
        size_t j = i + 1;
        while (j < t.size() && t[j] != L';' && t[j] != L'&')
            ++j;
        wchar_t code = 0;
        if (j < t.size() && t[j] == L';' && resolve(t.substr(i + 1, j - i - 1), code)) {
            out.appendChar(code);
            i = j + 1;
        } else {
            const size_t end = j < t.size() && t[j] == L';' ? j + 1 : j;
            out.append(t.data() + i, static_cast<int>(end - i));
            i = end;
        }
    }
    return out;
}

} // namespace xhtml
