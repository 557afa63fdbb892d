#include "xhtml/StyleProperties.h"

#include "base/TextUtil.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace xhtml {

namespace {

struct Word {
    const wchar_t* word;
    int32_t value;
};
using Table = std::initializer_list<Word>;

const Table kTextAlign = {{L"center", 2}, {L"left", 1}, {L"right", 3}, {L"justify", 4}};
const Table kVerticalAlign = {{L"top", 1}, {L"middle", 2}, {L"bottom", 3}, {L"baseline", 3}, {L"text-top", 1}};
const Table kFontWeight = {{L"normal", 400}, {L"bold", 700}, {L"bolder", 800}, {L"lighter", 300},
                           {L"100", 100},    {L"200", 200},  {L"300", 300},    {L"400", 400},
                           {L"500", 500},    {L"600", 600},  {L"700", 700},    {L"800", 800},
                           {L"900", 900}};
const Table kFontSize = {{L"xx-small", 6}, {L"x-small", 8},  {L"small", 10},    {L"medium", 12},
                         {L"large", 14},   {L"x-large", 16}, {L"xx-large", 18}};
const Table kBorderStyle = {{L"none", 0}, {L"hidden", 0}, {L"solid", 1}, {L"dotted", 2}, {L"dashed", 3}};
const Table kCursor = {{L"auto", 0}, {L"default", 0}, {L"pointer", 1}};
const Table kPosition = {{L"static", 0}, {L"relative", 1}, {L"fixed", 2}, {L"absolute", 3}};
const Table kVisibility = {{L"hidden", 0}, {L"visible", 1}};
const Table kDisplay = {{L"none", 1}, {L"block", 2}, {L"inline-block", 3}};
const Table kOverflow = {{L"auto", 1}, {L"scroll", 2}, {L"visible", 3}, {L"hidden", 4}};
const Table kRepeat = {{L"no-repeat", 0}, {L"repeat", 1}, {L"repeat-x", 2}, {L"repeat-y", 3}};
const Table kPositionWords = {{L"left", 0}, {L"top", 1}, {L"right", 2}, {L"bottom", 3}, {L"center", 4}};
const Table kGradient = {{L"horizontal", 0}, {L"forward-diagonal", 2}, {L"diagonal", 2}, {L"backward-diagonal", 3}};

bool lookUp(const Table& table, const ZString& word, int32_t& value)
{
    for (const Word& w : table)
        if (word.equals(w.word)) {
            value = w.value;
            return true;
        }
    return false;
}

StyleValue keyword(const Table& table, const ZString& word, int32_t fallback)
{
    int32_t value = fallback;
    lookUp(table, word, value);
    return StyleValue::ofKeyword(value);
}

bool startsWithDigit(const ZString& s) { return !s.isEmpty() && s.getAt(0) >= L'0' && s.getAt(0) <= L'9'; }

std::vector<ZString> words(const ZString& value)
{
    std::vector<ZString> out;
    ZString spaced(value);
    spaced.replaceChars(L"\t\n\r", L' ');
    split(spaced, L" ", out);
    return out;
}

// Sides in the order left, top, right, bottom.
constexpr Prop kBorderWidth[] = {Prop::BorderLeftWidth, Prop::BorderTopWidth, Prop::BorderRightWidth,
                                 Prop::BorderBottomWidth};
constexpr Prop kBorderColor[] = {Prop::BorderLeftColor, Prop::BorderTopColor, Prop::BorderRightColor,
                                 Prop::BorderBottomColor};
constexpr Prop kBorderStyle_[] = {Prop::BorderLeftStyle, Prop::BorderTopStyle, Prop::BorderRightStyle,
                                  Prop::BorderBottomStyle};
constexpr const wchar_t* kSides[] = {L"left", L"top", L"right", L"bottom"};

// "border", "border-left", ... (all == -1: every side).
void applyBorder(StyleProperties& p, int side, const ZString& value)
{
    for (const ZString& w : words(value)) {
        for (int s = 0; s < 4; ++s) {
            if (side >= 0 && s != side)
                continue;
            if (startsWithDigit(w))
                p.set(kBorderWidth[s], parseLength(w));
            else if (w.startsWith(L'#') || isColourName(w))
                p.set(kBorderColor[s], StyleValue::ofColour(parseColour(w)));
            else
                p.set(kBorderStyle_[s], keyword(kBorderStyle, w, 0));
        }
    }
}

// Names "<prefix>" (every side) and "<prefix>-<side><suffix>" for the four sides.
// Which side a name "<prefix><suffix>" or "<prefix>-<side><suffix>" names: 4 for
// every side, -1 when it is neither.
int sideOf(std::wstring_view name, std::wstring_view prefix, std::wstring_view suffix)
{
    if (name.size() < prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return -1;
    const std::wstring_view middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (middle.empty())
        return 4;
    for (int s = 0; s < 4; ++s)
        if (middle.size() == 1 + std::wstring_view(kSides[s]).size() && middle[0] == L'-' &&
            middle.substr(1) == kSides[s])
            return s;
    return -1;
}

template <typename MakeValue>
bool applySided(StyleProperties& p, const ZString& name, const wchar_t* suffix, const Prop (&props)[4],
                MakeValue value)
{
    const int side = sideOf(name.view(), L"border", suffix);
    if (side < 0)
        return false;
    for (int s = 0; s < 4; ++s)
        if (side == 4 || side == s)
            p.set(props[s], value());
    return true;
}

} // namespace

void StyleProperties::apply(const ZString& name, const ZString& value)
{
    static const std::pair<const wchar_t*, Prop> kLengths[] = {
        {L"width", Prop::Width},         {L"height", Prop::Height},          {L"min-width", Prop::MinWidth},
        {L"min-height", Prop::MinHeight}, {L"padding", Prop::Padding},        {L"padding-left", Prop::PaddingLeft},
        {L"padding-top", Prop::PaddingTop}, {L"padding-right", Prop::PaddingRight},
        {L"padding-bottom", Prop::PaddingBottom}, {L"margin", Prop::Margin}, {L"margin-left", Prop::MarginLeft},
        {L"margin-top", Prop::MarginTop}, {L"margin-right", Prop::MarginRight},
        {L"margin-bottom", Prop::MarginBottom}, {L"top", Prop::Top}, {L"left", Prop::Left},
        {L"right", Prop::Right},         {L"bottom", Prop::Bottom},
    };
    for (const auto& [n, prop] : kLengths)
        if (name == n) {
            set(prop, parseLength(value));
            return;
        }
    static const std::pair<const wchar_t*, std::pair<Prop, const Table*>> kKeywords[] = {
        {L"text-align", {Prop::TextAlign, &kTextAlign}},
        {L"vertical-align", {Prop::VerticalAlign, &kVerticalAlign}},
        {L"vertical-align-content", {Prop::VerticalAlignContent, &kVerticalAlign}},
        {L"vertical-align-line", {Prop::VerticalAlignLine, &kVerticalAlign}},
        {L"font-weight", {Prop::FontWeight, &kFontWeight}},
        {L"cursor", {Prop::Cursor, &kCursor}},
        {L"position", {Prop::Position, &kPosition}},
        {L"visibility", {Prop::Visibility, &kVisibility}},
        {L"display", {Prop::Display, &kDisplay}},
        {L"overflow", {Prop::Overflow, &kOverflow}},
        {L"background-repeat", {Prop::BackgroundRepeat, &kRepeat}},
    };
    for (const auto& [n, entry] : kKeywords)
        if (name == n) {
            int32_t fallback = 0;
            if (entry.first == Prop::FontWeight)
                fallback = 400;
            else if (entry.first == Prop::Visibility || entry.first == Prop::Overflow ||
                     entry.first == Prop::BackgroundRepeat)
                fallback = 1;
            set(entry.first, keyword(*entry.second, value, fallback));
            return;
        }
    if (applySided(*this, name, L"-width", kBorderWidth, [&] { return parseLength(value); }) ||
        applySided(*this, name, L"-color", kBorderColor, [&] { return StyleValue::ofColour(parseColour(value)); }) ||
        applySided(*this, name, L"-style", kBorderStyle_, [&] { return keyword(kBorderStyle, value, 0); }))
        return;
    if (name == L"border") {
        applyBorder(*this, -1, value);
        return;
    }
    if (const int side = sideOf(name.view(), L"border", L""); side >= 0 && side < 4) {
        applyBorder(*this, side, value);
        return;
    }
    if (name == L"color") {
        set(Prop::Color, StyleValue::ofColour(parseColour(value)));
    } else if (name == L"background-color") {
        set(Prop::BackgroundColor, StyleValue::ofColour(parseColour(value)));
    } else if (name == L"text-decoration") {
        if (value == L"none") {
            for (Prop p : {Prop::Underline, Prop::LineThrough, Prop::Overline})
                set(p, StyleValue::ofBoolean(false));
        } else if (value == L"underline") {
            set(Prop::Underline, StyleValue::ofBoolean(true));
        } else if (value == L"line-through") {
            set(Prop::LineThrough, StyleValue::ofBoolean(true));
        } else if (value == L"overline") {
            set(Prop::Overline, StyleValue::ofBoolean(true));
        }
    } else if (name == L"font-family") {
        StyleValue v;
        v.kind = StyleValue::StringList;
        std::vector<ZString> names;
        split(value, L",", names);
        for (ZString& n : names)
            if (!n.trim().isEmpty())
                v.list.push_back(n);
        set(Prop::FontFamily, v);
    } else if (name == L"font-size") {
        int32_t size = 0;
        if (value == L"smaller" || value == L"larger")
            set(Prop::FontSizeChange, StyleValue::ofInteger(value == L"smaller" ? -2 : 2));
        else if (lookUp(kFontSize, value, size))
            set(Prop::FontSize, StyleValue::ofInteger(size));
        else
            set(Prop::FontSize, parseLength(value));
    } else if (name == L"font-style") {
        set(Prop::Italic, StyleValue::ofBoolean(value == L"italic"));
    } else if (name == L"background-image") {
        const int open = value.find(L"url(", 4, 0);
        const int close = open >= 0 ? value.findChar(L')', open + 4) : -1;
        if (close >= 0)
            set(Prop::BackgroundImage, StyleValue::ofString(value.substring(open + 4, close - 1).trim()));
    } else if (name == L"background-position") {
        const std::vector<ZString> w = words(value);
        const Prop axes[] = {Prop::BackgroundPositionX, Prop::BackgroundPositionY};
        for (size_t i = 0; i < w.size() && i < 2; ++i)
            set(axes[i], startsWithDigit(w[i]) ? parseLength(w[i]) : keyword(kPositionWords, w[i], 0));
    } else if (name == L"background-gradient") {
        std::vector<ZString> w;
        split(value, L" ", w, true);
        if (w.size() == 3) {
            set(Prop::GradientFrom, StyleValue::ofColour(parseColour(w[0])));
            set(Prop::GradientTo, StyleValue::ofColour(parseColour(w[1])));
            set(Prop::GradientDirection, keyword(kGradient, w[2], GradientVertical));
        }
    } else if (name == L"white-space") {
        set(Prop::NoWrap, StyleValue::ofBoolean(value == L"nowrap" || value == L"nobreak"));
    } else if (name == L"opacity") {
        set(Prop::Opacity, StyleValue::ofFloat(parseLength(value).asDouble()));
    }
}

} // namespace xhtml
