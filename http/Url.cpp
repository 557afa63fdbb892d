#include "http/Url.h"

#include <stdexcept>

namespace http {

namespace {
// Index of the first character of stops at or after from; length when none.
int findAny(const ZString& s, int from, const wchar_t* stops)
{
    const int n = s.length();
    for (int i = from; i < n; ++i) {
        for (const wchar_t* p = stops; *p; ++p) {
            if (s.getAt(i) == *p)
                return i;
        }
    }
    return n;
}

ZString slice(const ZString& s, int from, int to)
{
    return to > from ? s.substring(from, to - 1) : ZString();
}

bool hasAt(const ZString& s, int i, wchar_t c)
{
    return i < s.length() && s.getAt(i) == c;
}

// Joins a and b with exactly one "/" between them.
ZString joinSlash(const ZString& a, const ZString& b)
{
    ZString out = a;
    const bool aSlash = out.endsWith(L'/');
    const bool bSlash = b.startsWith(L'/');
    if (aSlash && bSlash)
        out.append(b.substring(1));
    else if (!aSlash && !bSlash && !out.isEmpty() && !b.isEmpty())
        out.appendChar(L'/').append(b);
    else
        out.append(b);
    return out;
}
} // namespace

Url Url::parse(const ZString& input)
{
    Url url;
    ZString text = input;
    text.trim();
    int pos = 0;
    const int schemeEnd = text.find(L"://", 3, 0);
    if (schemeEnd > 0) {
        url.scheme = text.substring(0, schemeEnd - 1);
        pos = schemeEnd + 3;
    }
    const int at = text.findChar(L'@', pos);
    if (at > 0) {
        const ZString info = slice(text, pos, at);
        const int colon = info.findChar(L':');
        if (colon >= 0) {
            url.user = slice(info, 0, colon);
            url.password = info.substring(colon + 1);
        } else {
            url.user = info;
        }
        pos = at + 1;
    }
    if (!url.scheme.isEmpty()) {
        const int end = findAny(text, pos, L":/?&#");
        url.host = slice(text, pos, end);
        pos = end;
    }
    if (hasAt(text, pos, L':')) {
        const int end = findAny(text, pos + 1, L"/?&#");
        const ZString digits = slice(text, pos + 1, end);
        if (digits.isEmpty() || digits.length() > 5)
            throw std::runtime_error("Port in Url invalid");
        for (const wchar_t c : digits.view()) {
            if (c < L'0' || c > L'9')
                throw std::runtime_error("Port in Url invalid");
        }
        url.port = digits.toInt();
        pos = end;
    } else if (url.scheme.equalsIgnoreCase(ZString(L"http"))) {
        url.port = 80;
    } else if (url.scheme.equalsIgnoreCase(ZString(L"https"))) {
        url.port = 443;
    } else if (url.scheme.equalsIgnoreCase(ZString(L"ftp"))) {
        url.port = 21;
    }
    int end = findAny(text, pos, L"?&#");
    url.path = slice(text, pos, end);
    pos = end;
    if (hasAt(text, pos, L'?') || hasAt(text, pos, L'&')) {
        end = findAny(text, pos + 1, L"#");
        url.query = slice(text, pos + 1, end);
        pos = end;
    }
    if (hasAt(text, pos, L'#'))
        url.fragment = text.substring(pos + 1);
    return url;
}

ZString Url::toString() const
{
    ZString out;
    if (!scheme.isEmpty())
        out.append(scheme).append(L"://");
    if (!user.isEmpty() && !password.isEmpty())
        out.append(user).appendChar(L':').append(password).appendChar(L'@');
    else if (!user.isEmpty())
        out.append(user).appendChar(L'@');
    out.append(host);
    if (!host.isEmpty() && port >= 0) {
        const bool isDefault = (port == 443 && scheme.equalsIgnoreCase(ZString(L"https"))) ||
                               (port == 80 && scheme.equalsIgnoreCase(ZString(L"http")));
        if (!isDefault)
            out.appendChar(L':').appendNumber(port);
    }
    if (!path.isEmpty()) {
        if (out.isEmpty() && !path.startsWith(L'/'))
            out.appendChar(L'/');
        out = joinSlash(out, path);
    }
    if (!query.isEmpty())
        out.appendChar(L'?').append(query);
    if (!fragment.isEmpty())
        out.appendChar(L'#').append(fragment);
    return out;
}

ZString Url::pathAndQuery(bool withFragment) const
{
    ZString out = path;
    if (!query.isEmpty())
        out.appendChar(L'?').append(query);
    if (withFragment && !fragment.isEmpty())
        out.appendChar(L'#').append(fragment);
    return out;
}

Url Url::resolve(const Url& base, const Url& reference)
{
    if (!reference.scheme.isEmpty() || !reference.host.isEmpty())
        return reference;
    Url out = base;
    if (reference.path.startsWith(L'/')) {
        out.path = reference.path;
    } else {
        const int slash = base.path.findLastChar(L'/');
        ZString dir = slash >= 0 ? base.path.substring(0, slash) : ZString();
        ZString rel = reference.path;
        for (;;) {
            if (rel.startsWith(L"./", 2)) {
                rel = rel.substring(2);
            } else if (rel.startsWith(L'/')) {
                rel = rel.substring(1);
            } else if (rel.startsWith(L"../", 3)) {
                rel = rel.substring(3);
                ZString trimmed = dir;
                if (trimmed.endsWith(L'/'))
                    trimmed.truncate(trimmed.length() - 1);
                const int last = trimmed.findLastChar(L'/');
                if (last >= 0)
                    dir = trimmed.substring(0, last);
            } else {
                break;
            }
        }
        out.path = joinSlash(dir, rel);
    }
    out.query = reference.query;
    out.fragment = reference.fragment;
    return out;
}

} // namespace http
