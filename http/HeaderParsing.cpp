#include "http/HeaderParsing.h"

namespace http {

namespace {
ZString trimmed(ZString s)
{
    s.trim();
    return s;
}
} // namespace

HeaderList parseRawHeaders(const ZString& text)
{
    HeaderList headers;
    const int n = text.length();
    int start = 0;
    while (start < n) {
        int end = start;
        while (end < n && text.getAt(end) != L'\r' && text.getAt(end) != L'\n')
            ++end;
        const ZString line = end > start ? text.substring(start, end - 1) : ZString();
        start = end;
        while (start < n && (text.getAt(start) == L'\r' || text.getAt(start) == L'\n')) {
            // one line break: "\r\n", "\r" or "\n"
            const wchar_t c = text.getAt(start++);
            if (c == L'\r' && start < n && text.getAt(start) == L'\n')
                ++start;
            break;
        }
        if (line.isEmpty())
            continue;
        if (line.getAt(0) == L' ' || line.getAt(0) == L'\t') {
            if (!headers.empty())
                headers.back().second.appendChar(L' ').append(trimmed(line));
            continue;
        }
        const int colon = line.findChar(L':');
        if (colon > 0)
            headers.emplace_back(trimmed(line.substring(0, colon - 1)), trimmed(line.substring(colon + 1)));
    }
    return headers;
}

HeaderValue parseHeaderValue(const ZString& text)
{
    HeaderValue result;
    const int n = text.length();
    int i = 0;
    while (i < n && text.getAt(i) != L';' && text.getAt(i) != L',')
        ++i;
    result.value = trimmed(i > 0 ? text.substring(0, i - 1) : ZString());
    while (i < n && text.getAt(i) == L';') {
        ++i;
        ZString name;
        ZString value;
        while (i < n && text.getAt(i) != L'=' && text.getAt(i) != L',' && text.getAt(i) != L';')
            name.appendChar(text.getAt(i++));
        if (i < n && text.getAt(i) == L'=') {
            ++i;
            while (i < n && (text.getAt(i) == L' ' || text.getAt(i) == L'\t'))
                ++i;
            if (i < n && (text.getAt(i) == L'"' || text.getAt(i) == L'\'')) {
                const wchar_t quote = text.getAt(i++);
                while (i < n && text.getAt(i) != quote)
                    value.appendChar(text.getAt(i++));
                while (i < n && text.getAt(i) != L';' && text.getAt(i) != L',')
                    ++i;
            } else {
                while (i < n && text.getAt(i) != L';' && text.getAt(i) != L',')
                    value.appendChar(text.getAt(i++));
            }
        }
        name.trim();
        value.trim();
        if (!name.isEmpty() || !value.isEmpty())
            result.parameters[name] = value;
    }
    return result;
}

} // namespace http
