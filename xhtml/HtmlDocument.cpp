#include "xhtml/HtmlDocument.h"

#include "xhtml/TagClasses.h"

#include <string_view>

namespace xhtml {

namespace {

bool isSpace(wchar_t c) { return c == 32 || (c >= 9 && c <= 13); }
bool isLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Reads one document; the open elements are kept on a stack instead of
// recursing, so that deep nesting costs heap, not stack.
class Parser {
public:
    explicit Parser(std::wstring_view text) : m_text(text), m_n(text.size()) {}

    size_t parse(HtmlTagNode& root)
    {
        std::vector<HtmlTagNode*> open{&root};
        size_t pos = 0;
        while (pos < m_n) {
            HtmlTagNode& parent = *open.back();
            if (startsWith(pos, L"<!--")) {
                const size_t end = m_text.find(L"-->", pos + 4);
                pos = end == std::wstring_view::npos ? m_n : end + 3;
            } else if (m_text[pos] == L'<' && pos + 1 < m_n && isLetter(m_text[pos + 1])) {
                pos = startTag(pos + 1, parent, open);
            } else if (startsWith(pos, L"</")) {
                size_t end = pos + 2;
                while (end < m_n && !isSpace(m_text[end]) && m_text[end] != L'>')
                    ++end;
                const ZString name(m_text.data() + pos + 2, static_cast<int>(end - pos - 2));
                pos = afterNext(L'>', end);
                if (name.equalsIgnoreCase(parent.name())) {
                    if (open.size() == 1)
                        return pos;
                    open.pop_back();
                }
            } else {
                size_t end = pos + 1;
                while (end < m_n && !opensMarkup(end))
                    ++end;
                parent.append(std::make_unique<HtmlTextNode>(piece(pos, end)));
                pos = end;
            }
        }
        return pos;
    }

private:
    bool startsWith(size_t pos, std::wstring_view what) const { return m_text.substr(pos, what.size()) == what; }
    bool closesTag(size_t pos) const { return pos >= m_n || m_text[pos] == L'>' || startsWith(pos, L"/>"); }
    bool startTagAt(size_t pos) const { return m_text[pos] == L'<' && pos + 1 < m_n && isLetter(m_text[pos + 1]); }
    bool opensMarkup(size_t pos) const
    {
        return m_text[pos] == L'<' && pos + 1 < m_n &&
               (m_text[pos + 1] == L'/' || m_text[pos + 1] == L'!' || isLetter(m_text[pos + 1]));
    }
    size_t afterNext(wchar_t c, size_t from) const
    {
        const size_t at = m_text.find(c, from);
        return at == std::wstring_view::npos ? m_n : at + 1;
    }
    ZString piece(size_t from, size_t to) const { return ZString(m_text.data() + from, static_cast<int>(to - from)); }

    // pos is at the name's first letter.
    size_t startTag(size_t pos, HtmlTagNode& parent, std::vector<HtmlTagNode*>& open)
    {
        size_t end = pos;
        while (end < m_n && !isSpace(m_text[end]) && !closesTag(end) && !startTagAt(end))
            ++end;
        ZString name = piece(pos, end);
        auto* element = static_cast<HtmlTagNode*>(parent.append(std::make_unique<HtmlTagNode>(name.toLower())));
        pos = attributes(end, *element);
        if (pos < m_n && (m_text[pos] == L'>' || startTagAt(pos))) {
            if (m_text[pos] == L'>')
                ++pos;
            if (isRawTextTag(element->name()))
                return rawText(pos, *element);
            open.push_back(element);
            return pos;
        }
        return afterNext(L'>', pos);
    }

    size_t attributes(size_t pos, HtmlTagNode& element)
    {
        for (;;) {
            while (pos < m_n && !isLetter(m_text[pos]) && !closesTag(pos) && !startTagAt(pos))
                ++pos;
            if (pos >= m_n || closesTag(pos) || startTagAt(pos))
                return pos;
            const size_t nameStart = pos;
            while (pos < m_n && m_text[pos] != L'=' && !isSpace(m_text[pos]) && !closesTag(pos) && !startTagAt(pos))
                ++pos;
            ZString name = piece(nameStart, pos);
            size_t look = pos;
            while (look < m_n && isSpace(m_text[look]))
                ++look;
            ZString value;
            if (look < m_n && m_text[look] == L'=') {
                pos = look + 1;
                while (pos < m_n && isSpace(m_text[pos]))
                    ++pos;
                wchar_t quote = 0;
                if (pos < m_n && (m_text[pos] == L'"' || m_text[pos] == L'\''))
                    quote = m_text[pos++];
                const size_t valueStart = pos;
                while (pos < m_n && !closesTag(pos) && !startTagAt(pos) &&
                       (quote != 0 ? m_text[pos] != quote : !isSpace(m_text[pos])))
                    ++pos;
                value = piece(valueStart, pos);
                if (quote != 0 && pos < m_n && m_text[pos] == quote)
                    ++pos;
            }
            element.addAttribute(name.trim().toLower(), value.trim());
        }
    }

    size_t rawText(size_t pos, HtmlTagNode& element)
    {
        const ZString& name = element.name();
        size_t end = pos;
        for (; end < m_n; ++end) {
            if (startsWith(end, L"</") && end + 2 + name.length() <= m_n &&
                piece(end + 2, end + 2 + name.length()).equalsIgnoreCase(name))
                break;
        }
        element.append(std::make_unique<HtmlTextNode>(piece(pos, end)));
        return end >= m_n ? m_n : afterNext(L'>', end);
    }

    std::wstring_view m_text;
    size_t m_n;
};

} // namespace

HtmlDocument::HtmlDocument() : m_root(std::make_unique<HtmlTagNode>(ZString())) {}

int HtmlDocument::parseDocument(const ZString& text)
{
    m_root = std::make_unique<HtmlTagNode>(ZString());
    m_styleSheet.clear();
    const size_t stopped = Parser(text.view()).parse(*m_root);
    collectStyleSheets(*m_root);
    return static_cast<int>(stopped);
}

void HtmlDocument::collectStyleSheets(const HtmlTagNode& root)
{
    std::vector<const HtmlTagNode*> pending{&root};
    while (!pending.empty()) {
        const HtmlTagNode* node = pending.back();
        pending.pop_back();
        if (node->name().equals(L"style")) {
            for (const auto& child : node->children())
                if (child->type() == HtmlNode::Text)
                    parseStyleSheet(static_cast<const HtmlTextNode&>(*child).text());
            continue;
        }
        // Reversed, so the stack hands them out in document order.
        for (auto it = node->children().rbegin(); it != node->children().rend(); ++it)
            if ((*it)->type() == HtmlNode::Tag)
                pending.push_back(static_cast<const HtmlTagNode*>(it->get()));
    }
}

} // namespace xhtml
