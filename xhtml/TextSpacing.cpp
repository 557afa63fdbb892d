#include "xhtml/TextSpacing.h"

#include "xhtml/Entities.h"

namespace xhtml {

namespace {

bool isSpace(wchar_t c) { return c == 32 || (c >= 9 && c <= 13); }

} // namespace

std::vector<ZString> TextSpacing::words(const ZString& text)
{
    std::vector<ZString> words;
    const std::wstring_view t = text.view();
    size_t begin = 0, end = t.size();
    while (begin < end && isSpace(t[begin]))
        ++begin;
    while (end > begin && isSpace(t[end - 1]))
        --end;
    if (begin == end) {
        // Only white space: nothing, though a replaced element after it gets a space.
        if (!t.empty() && !m_endedWithSpace)
            m_spaceWanted = true;
        return words;
    }
    bool spaceBefore = begin > 0 && !m_endedWithSpace;
    for (size_t i = begin; i < end;) {
        size_t j = i;
        while (j < end && !isSpace(t[j]))
            ++j;
        ZString word = spaceBefore ? ZString(L" ") : ZString();
        word.append(decodeEntities(ZString(t.data() + i, static_cast<int>(j - i))));
        words.push_back(std::move(word));
        while (j < end && isSpace(t[j]))
            ++j;
        i = j;
        spaceBefore = true;
    }
    m_endedWithSpace = end < t.size();
    m_spaceWanted = false;
    if (m_endedWithSpace)
        words.back().appendChar(L' ');
    return words;
}

bool TextSpacing::spaceBeforeReplaced()
{
    const bool wanted = m_spaceWanted;
    m_spaceWanted = false;
    m_endedWithSpace = false;
    return wanted;
}

} // namespace xhtml
