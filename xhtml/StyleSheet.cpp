#include "xhtml/StyleSheet.h"

#include <string_view>

namespace xhtml {

namespace {

bool isSpace(wchar_t c) { return c == 32 || (c >= 9 && c <= 13); }
bool isLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

ZString piece(std::wstring_view t, size_t from, size_t to)
{
    return ZString(t.data() + from, static_cast<int>(to - from));
}

size_t runTo(std::wstring_view t, size_t pos, std::wstring_view stops, bool stopAtSpace)
{
    while (pos < t.size() && stops.find(t[pos]) == std::wstring_view::npos && !(stopAtSpace && isSpace(t[pos])))
        ++pos;
    return pos;
}

int stateOf(const ZString& name)
{
    if (name == L"hover" || name == L"hoover" || name == L"mo")
        return StateHover;
    if (name == L"leftbuttondown" || name == L"lbd")
        return StateLeftDown;
    if (name == L"rightbuttondown" || name == L"rbd")
        return StateRightDown;
    return StateNormal;
}

} // namespace

void parseStyleSheet(const ZString& text, StyleSheet& sheet)
{
    const std::wstring_view t = text.view();
    size_t pos = 0;
    while (pos < t.size() && isSpace(t[pos]))
        ++pos;
    if (t.substr(pos, 4) == L"<!--")
        pos += 4;
    for (;;) {
        while (pos < t.size() && isSpace(t[pos]))
            ++pos;
        if (pos >= t.size() || !(t[pos] == L'#' || t[pos] == L'.' || t[pos] == L'*' || isLetter(t[pos])))
            return;
        const size_t open = t.find(L'{', pos);
        if (open == std::wstring_view::npos)
            return;
        const size_t close = t.find(L'}', open + 1);
        if (close == std::wstring_view::npos) {
            pos = open + 1;
            continue;
        }
        ZString selectors = piece(t, pos, open);
        selectors.trim().toLower();
        ZString declarations = piece(t, open + 1, close);
        std::shared_ptr<const StyleDef> def = parseDeclarations(declarations.trim());
        const std::wstring_view list = selectors.view();
        for (size_t from = 0; from <= list.size();) {
            size_t comma = list.find(L',', from);
            if (comma == std::wstring_view::npos)
                comma = list.size();
            sheet.push_back({parseSelector(piece(list, from, comma)), def});
            from = comma + 1;
        }
        pos = close + 1;
    }
}

Selector parseSelector(const ZString& text)
{
    const std::wstring_view t = text.view();
    Selector selector;
    size_t pos = 0;
    while (pos < t.size() && isSpace(t[pos]))
        ++pos;
    size_t end = runTo(t, pos, L".#,:", true);
    selector.tag = piece(t, pos, end);
    pos = end;
    if (pos < t.size() && (t[pos] == L'#' || t[pos] == L'.')) {
        end = runTo(t, pos + 1, L",:", true);
        (t[pos] == L'#' ? selector.id : selector.cls) = piece(t, pos + 1, end);
        pos = end;
    }
    while (pos < t.size() && isSpace(t[pos]))
        ++pos;
    if (pos < t.size() && t[pos] == L':') {
        end = runTo(t, pos + 1, L",", true);
        ZString state = piece(t, pos + 1, end);
        selector.state = stateOf(state.toLower());
    }
    return selector;
}

std::shared_ptr<StyleDef> parseDeclarations(const ZString& text)
{
    auto def = std::make_shared<StyleDef>();
    const std::wstring_view t = text.view();
    for (size_t pos = 0; pos < t.size();) {
        size_t colon = runTo(t, pos, L":;", false);
        if (colon >= t.size() || t[colon] == L';') {
            // A name without a value.
            pos = colon + 1;
            continue;
        }
        const size_t end = runTo(t, colon + 1, L";", false);
        ZString name = piece(t, pos, colon), value = piece(t, colon + 1, end);
        name.trim().toLower();
        value.trim().toLower();
        if (!name.isEmpty())
            def->declarations.emplace_back(std::move(name), std::move(value));
        pos = end + 1;
    }
    return def;
}

} // namespace xhtml
