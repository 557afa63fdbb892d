#include "suite/lang/LangCatalogue.h"

#include "base/TextUtil.h"

namespace {

ZString unescape(const ZString& text)
{
    ZString out;
    const int n = text.length();
    for (int i = 0; i < n; ++i) {
        const wchar_t c = text.getAt(i);
        if (c == L'\\' && i + 1 < n) {
            const wchar_t next = text.getAt(i + 1);
            if (next == L'n') {
                out.appendChar(L'\n');
                ++i;
                continue;
            }
            if (next == L'\\') {
                out.appendChar(L'\\');
                ++i;
                continue;
            }
        }
        out.appendChar(c);
    }
    return out;
}

} // namespace

void parseLangCatalogue(std::string_view utf8, LangTable& table)
{
    if (utf8.size() >= 3 && utf8.substr(0, 3) == "\xEF\xBB\xBF")
        utf8.remove_prefix(3);
    while (!utf8.empty()) {
        size_t end = utf8.find('\n');
        std::string_view line = utf8.substr(0, end);
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        ZString key = utf8DecodeLenient(line.data(), eq);
        key.trim();
        if (key.isEmpty())
            continue;
        const std::string_view text = line.substr(eq + 1);
        table[key] = unescape(utf8DecodeLenient(text.data(), text.size()));
    }
}
