#include "xhtml/Layout_win.h"

#include "xhtml/Address.h"
#include "xhtml/Cascade.h"
#include "xhtml/TagClasses.h"
#include "xhtml/TextSpacing.h"

#include <algorithm>
#include <gdiplus.h>

namespace xhtml {

namespace {

// Deeper documents are cut off: ours are a few levels deep.
const int kMaxDepth = 64;

// What an element is drawn with: inherited parts first, then its own box.
struct Resolved {
    ZString family = L"arial";
    int fontPx = 13;
    int weight = 400;
    bool italic = false, underline = false, strike = false, noWrap = false;
    uint32_t colour = 0;
    int textAlign = AlignLeft;

    int margin[4] = {}, border[4] = {}, padding[4] = {};
    uint32_t borderColour[4] = {};
    StyleValue width, height, minWidth, minHeight;
    uint32_t background = kTransparent;
    bool gradient = false;
    uint32_t gradientFrom = 0, gradientTo = 0;
    int gradientDirection = GradientVertical;
    ZString backgroundImage;
    int repeat = Repeat;
    int verticalAlign = VAlignDefault;
    bool hidden = false;
};

Resolved inheritFrom(const Resolved& parent)
{
    Resolved r;
    r.family = parent.family;
    r.fontPx = parent.fontPx;
    r.weight = parent.weight;
    r.italic = parent.italic;
    r.underline = parent.underline;
    r.strike = parent.strike;
    r.noWrap = parent.noWrap;
    r.colour = parent.colour;
    r.textAlign = parent.textAlign;
    return r;
}

// The presentational defaults of tags and attributes, before any style.
void tagDefaults(const HtmlTagNode& e, Resolved& r)
{
    const ZString& n = e.name();
    if (n == L"b" || n == L"strong")
        r.weight = 700;
    else if (n == L"i")
        r.italic = true;
    else if (n == L"u")
        r.underline = true;
    else if (n == L"strike")
        r.strike = true;
    else if (n == L"big")
        r.fontPx += 2;
    else if (n == L"small")
        r.fontPx -= 2;
    else if (n == L"center")
        r.textAlign = AlignCenter;
    else if (n == L"nobr" || n == L"nowrap")
        r.noWrap = true;
    else if (n == L"a" && e.attribute(L"href") != nullptr) {
        r.underline = true;
        r.colour = 0x00CC0000; // blue
    } else if (n.length() == 2 && n.getAt(0) == L'h' && n.getAt(1) >= L'1' && n.getAt(1) <= L'6') {
        static const int kSizes[] = {24, 20, 16, 14, 13, 12};
        r.fontPx = kSizes[n.getAt(1) - L'1'];
        r.weight = 700;
        r.margin[1] = r.margin[3] = 6;
    } else if (n == L"p") {
        r.margin[3] = 8;
    } else if (n == L"td") {
        r.verticalAlign = VAlignMiddle;
    }
    if (const ZString* align = e.attribute(L"align")) {
        if (align->equalsIgnoreCase(L"center"))
            r.textAlign = AlignCenter;
        else if (align->equalsIgnoreCase(L"right"))
            r.textAlign = AlignRight;
        else if (align->equalsIgnoreCase(L"left"))
            r.textAlign = AlignLeft;
    }
    if (const ZString* valign = e.attribute(L"valign"))
        r.verticalAlign = valign->equalsIgnoreCase(L"top") ? VAlignTop
                          : valign->equalsIgnoreCase(L"bottom") ? VAlignBottom : VAlignMiddle;
    if (const ZString* w = e.attribute(L"width"))
        r.width = parseLength(*w);
    if (const ZString* h = e.attribute(L"height"))
        r.height = parseLength(*h);
    if (const ZString* c = e.attribute(L"bgcolor"))
        r.background = parseColour(*c);
    if (n == L"font") {
        if (const ZString* c = e.attribute(L"color"))
            r.colour = parseColour(*c);
        if (const ZString* f = e.attribute(L"face"))
            r.family = *f;
    }
}

void applyStyle(const StyleProperties& p, const Resolved& parent, Resolved& r)
{
    auto has = [&](Prop prop) { return p.get(prop).isSet(); };
    auto integer = [&](Prop prop) { return p.get(prop).asInt(); };
    if (has(Prop::FontFamily) && !p.get(Prop::FontFamily).list.empty())
        r.family = p.get(Prop::FontFamily).list.front();
    if (has(Prop::FontSize)) {
        const StyleValue& v = p.get(Prop::FontSize);
        r.fontPx = v.percent ? parent.fontPx * v.asInt() / 100 : v.asInt();
    }
    if (has(Prop::FontSizeChange))
        r.fontPx = parent.fontPx + integer(Prop::FontSizeChange);
    r.fontPx = std::clamp(r.fontPx, 1, 400);
    if (has(Prop::FontWeight))
        r.weight = integer(Prop::FontWeight);
    if (has(Prop::Italic))
        r.italic = integer(Prop::Italic) != 0;
    if (has(Prop::Underline))
        r.underline = integer(Prop::Underline) != 0;
    if (has(Prop::LineThrough))
        r.strike = integer(Prop::LineThrough) != 0;
    if (has(Prop::NoWrap))
        r.noWrap = integer(Prop::NoWrap) != 0;
    if (has(Prop::Color))
        r.colour = p.get(Prop::Color).colour;
    if (has(Prop::TextAlign) && integer(Prop::TextAlign) != AlignDefault)
        r.textAlign = integer(Prop::TextAlign);
    const Prop sides[4][5] = {
        {Prop::MarginLeft, Prop::PaddingLeft, Prop::BorderLeftWidth, Prop::BorderLeftColor, Prop::BorderLeftStyle},
        {Prop::MarginTop, Prop::PaddingTop, Prop::BorderTopWidth, Prop::BorderTopColor, Prop::BorderTopStyle},
        {Prop::MarginRight, Prop::PaddingRight, Prop::BorderRightWidth, Prop::BorderRightColor,
         Prop::BorderRightStyle},
        {Prop::MarginBottom, Prop::PaddingBottom, Prop::BorderBottomWidth, Prop::BorderBottomColor,
         Prop::BorderBottomStyle},
    };
    for (int s = 0; s < 4; ++s) {
        if (has(Prop::Margin))
            r.margin[s] = integer(Prop::Margin);
        if (has(sides[s][0]))
            r.margin[s] = integer(sides[s][0]);
        if (has(Prop::Padding))
            r.padding[s] = integer(Prop::Padding);
        if (has(sides[s][1]))
            r.padding[s] = integer(sides[s][1]);
        // A border shows with a width and a style other than none.
        const bool styled = has(sides[s][4]) && integer(sides[s][4]) != BorderNone;
        if (has(sides[s][4]) && !styled)
            r.border[s] = 0;
        else if (styled)
            r.border[s] = has(sides[s][2]) ? integer(sides[s][2]) : 1;
        else if (has(sides[s][2]))
            r.border[s] = 0;
        if (has(sides[s][3]))
            r.borderColour[s] = p.get(sides[s][3]).colour;
    }
    for (auto [prop, target] : {std::pair{Prop::Width, &r.width}, std::pair{Prop::Height, &r.height},
                                std::pair{Prop::MinWidth, &r.minWidth}, std::pair{Prop::MinHeight, &r.minHeight}})
        if (has(prop))
            *target = p.get(prop);
    if (has(Prop::BackgroundColor))
        r.background = p.get(Prop::BackgroundColor).colour;
    if (has(Prop::GradientFrom)) {
        r.gradient = true;
        r.gradientFrom = p.get(Prop::GradientFrom).colour;
        r.gradientTo = p.get(Prop::GradientTo).colour;
        r.gradientDirection = integer(Prop::GradientDirection);
    }
    if (has(Prop::BackgroundImage))
        r.backgroundImage = p.get(Prop::BackgroundImage).text;
    if (has(Prop::BackgroundRepeat))
        r.repeat = integer(Prop::BackgroundRepeat);
    if (has(Prop::VerticalAlignContent))
        r.verticalAlign = integer(Prop::VerticalAlignContent);
    else if (has(Prop::VerticalAlign))
        r.verticalAlign = integer(Prop::VerticalAlign);
    if ((has(Prop::Display) && integer(Prop::Display) == DisplayNone) ||
        (has(Prop::Visibility) && integer(Prop::Visibility) == 0))
        r.hidden = true;
}

// The state's own values over those of the normal state.
StyleProperties effective(const StateStyles& styles, int state)
{
    StyleProperties p = styles[0];
    if (state > 0 && state < StateCount)
        for (int i = 0; i < static_cast<int>(Prop::Count); ++i)
            if (styles[static_cast<size_t>(state)].get(static_cast<Prop>(i)).isSet())
                p.set(static_cast<Prop>(i), styles[static_cast<size_t>(state)].get(static_cast<Prop>(i)));
    return p;
}

// One thing on a line before the line is placed.
struct Atom {
    DisplayItem item;
    int width = 0, height = 0, ascent = 0;
    int spaceBefore = 0, spaceAfter = 0;
};

class Builder {
public:
    Builder(const LayoutEngine::Parts& parts, const StateOf& stateOf, Layout& out)
        : m_parts(parts), m_stateOf(stateOf), m_out(out)
    {
        m_dc = CreateCompatibleDC(nullptr);
    }
    ~Builder() { DeleteDC(m_dc); }

    int px(int pixels96) const { return scaled(pixels96, m_parts.dpi); }
    int length(const StyleValue& v, int reference) const
    {
        if (!v.isSet())
            return -1;
        if (v.percent)
            return reference < 0 ? -1 : static_cast<int>(static_cast<long long>(reference) * v.asInt() / 100);
        return px(v.asInt());
    }

    Resolved resolve(const HtmlTagNode& e, const Resolved& parent) const
    {
        Resolved r = inheritFrom(parent);
        tagDefaults(e, r);
        applyStyle(effective(computeStyles(m_parts.document.styleSheet(), e), m_stateOf(e)), parent, r);
        return r;
    }

    struct Box {
        int outerHeight = 0;
        size_t background = 0;
        int contentHeight = 0;
        int innerTop = 0;
    };

    // A block at (x, y) within the available width; forcedWidth for table cells.
    Box block(const HtmlTagNode& e, const Resolved& parentStyle, int x, int y, int available, int availableHeight,
              int depth, int forcedWidth = -1)
    {
        Box box;
        const Resolved r = resolve(e, parentStyle);
        if (r.hidden || depth > kMaxDepth)
            return box;
        int m[4], b[4], p[4];
        for (int s = 0; s < 4; ++s) {
            m[s] = px(r.margin[s]);
            b[s] = px(r.border[s]);
            p[s] = px(r.padding[s]);
        }
        int width = forcedWidth >= 0 ? forcedWidth : length(r.width, available);
        if (width < 0)
            width = available - m[0] - m[2];
        width = std::max({width, length(r.minWidth, available), 0});
        box.background = pushBackground(e, r, b);
        const int contentX = x + m[0] + b[0] + p[0];
        const int contentY = y + m[1] + b[1] + p[1];
        const int contentWidth = std::max(0, width - b[0] - b[2] - p[0] - p[2]);
        const int fixedHeight = length(r.height, availableHeight);
        const int innerHeight =
            fixedHeight < 0 ? -1 : std::max(0, fixedHeight - m[1] - m[3] - b[1] - b[3] - p[1] - p[3]);
        // The document and its body fill the frame, so that heights in per cent
        // inside them refer to it.
        int definiteHeight = innerHeight;
        if (definiteHeight < 0 && (e.name().isEmpty() || e.name() == L"body") && availableHeight >= 0)
            definiteHeight = std::max(0, availableHeight - m[1] - m[3] - b[1] - b[3] - p[1] - p[3]);
        if (e.name() == L"table")
            box.contentHeight = table(e, r, contentX, contentY, contentWidth, innerHeight, depth);
        else
            box.contentHeight = flowBlock(e, r, contentX, contentY, contentWidth, definiteHeight, depth);
        const int height = std::max({box.contentHeight, innerHeight, length(r.minHeight, availableHeight)});
        m_out.items[box.background].rect = {x + m[0], y + m[1], x + m[0] + width,
                                            y + m[1] + b[1] + p[1] + height + p[3] + b[3]};
        box.innerTop = contentY;
        box.outerHeight = m[1] + b[1] + p[1] + height + p[3] + b[3] + m[3];
        return box;
    }

private:
    size_t pushBackground(const HtmlTagNode& e, const Resolved& r, const int (&b)[4])
    {
        DisplayItem item;
        item.kind = DisplayItem::Background;
        item.element = &e;
        item.colour = r.background;
        item.gradient = r.gradient;
        item.gradientFrom = r.gradientFrom;
        item.gradientTo = r.gradientTo;
        item.gradientDirection = r.gradientDirection;
        if (!r.backgroundImage.isEmpty())
            item.image = m_parts.images.image(resolveAddress(m_parts.base, r.backgroundImage));
        item.repeat = r.repeat;
        for (int s = 0; s < 4; ++s) {
            item.border[s] = b[s];
            item.borderColour[s] = r.borderColour[s];
        }
        m_out.items.push_back(std::move(item));
        return m_out.items.size() - 1;
    }

    // One row of cells after another; cells with a width keep it, the others share the rest.
    int table(const HtmlTagNode& e, const Resolved& r, int x, int y, int width, int height, int depth)
    {
        std::vector<const HtmlTagNode*> rows;
        for (const auto& child : e.children()) {
            if (child->type() != HtmlNode::Tag)
                continue;
            const auto& tag = static_cast<const HtmlTagNode&>(*child);
            if (tag.name() == L"tr")
                rows.push_back(&tag);
            else if (tag.name() == L"tbody")
                for (const auto& row : tag.children())
                    if (row->type() == HtmlNode::Tag && static_cast<const HtmlTagNode&>(*row).name() == L"tr")
                        rows.push_back(static_cast<const HtmlTagNode*>(row.get()));
        }
        if (rows.empty())
            return std::max(height, 0);
        const int rowMinimum = height > 0 ? height / static_cast<int>(rows.size()) : 0;
        int top = y;
        for (const HtmlTagNode* row : rows) {
            const Resolved rowStyle = resolve(*row, r);
            std::vector<const HtmlTagNode*> cells;
            for (const auto& child : row->children())
                if (child->type() == HtmlNode::Tag && static_cast<const HtmlTagNode&>(*child).name() == L"td")
                    cells.push_back(static_cast<const HtmlTagNode*>(child.get()));
            std::vector<int> widths;
            int fixed = 0, open = 0;
            for (const HtmlTagNode* cell : cells) {
                const int w = length(resolve(*cell, rowStyle).width, width);
                widths.push_back(w);
                if (w >= 0)
                    fixed += w;
                else
                    ++open;
            }
            const int share = open > 0 ? std::max(0, width - fixed) / open : 0;
            std::vector<Box> boxes;
            std::vector<size_t> ends;
            int cellX = x, rowHeight = rowMinimum;
            for (size_t i = 0; i < cells.size(); ++i) {
                const int w = widths[i] >= 0 ? widths[i] : share;
                boxes.push_back(block(*cells[i], rowStyle, cellX, top, w, rowMinimum, depth + 1, w));
                ends.push_back(m_out.items.size());
                rowHeight = std::max(rowHeight, boxes.back().outerHeight);
                cellX += w;
            }
            // Every cell as high as the row, its content placed as it asks.
            for (size_t i = 0; i < cells.size(); ++i) {
                const Box& box = boxes[i];
                RECT& rect = m_out.items[box.background].rect;
                const int grow = rowHeight - box.outerHeight;
                rect.bottom += grow;
                const int valign = resolve(*cells[i], rowStyle).verticalAlign;
                const int shift = valign == VAlignTop ? 0 : valign == VAlignBottom ? grow : grow / 2;
                for (size_t k = box.background + 1; k < ends[i]; ++k)
                    OffsetRect(&m_out.items[k].rect, 0, shift);
            }
            top += rowHeight;
        }
        return top - y;
    }

    // The content of a block: lines of words and replaced elements, and blocks.
    int flowBlock(const HtmlTagNode& e, const Resolved& r, int x, int y, int width, int height, int depth)
    {
        Flow flow{x, y, width, height, r.textAlign, {}, 0};
        TextSpacing spacing;
        flowChildren(e, r, flow, spacing, depth);
        endLine(flow);
        return flow.y - y;
    }

    struct Flow {
        int x, y, width;
        int height; // of the containing block when it is known, else -1
        int align;
        std::vector<Atom> line;
        int lineWidth = 0;
    };

    void flowChildren(const HtmlTagNode& e, const Resolved& r, Flow& flow, TextSpacing& spacing, int depth)
    {
        if (depth > kMaxDepth)
            return;
        for (const auto& child : e.children()) {
            if (child->type() == HtmlNode::Text) {
                for (const ZString& word : spacing.words(static_cast<const HtmlTextNode&>(*child).text()))
                    addWord(flow, e, r, word);
                continue;
            }
            const auto& tag = static_cast<const HtmlTagNode&>(*child);
            const ZString& n = tag.name();
            if (n == L"style" || n == L"head" || n == L"title" || n == L"script" || n == L"textarea" ||
                n == L"select")
                continue;
            if (n == L"br") {
                if (flow.line.empty())
                    flow.y += lineHeight(r);
                endLine(flow);
                spacing.reset();
            } else if (isBlockTag(n) || n == L"hr") {
                endLine(flow);
                spacing.reset();
                if (n == L"hr") {
                    DisplayItem rule;
                    rule.element = &tag;
                    rule.colour = 0x00C0C0C0;
                    rule.rect = {flow.x, flow.y + px(4), flow.x + flow.width, flow.y + px(5)};
                    m_out.items.push_back(rule);
                    flow.y += px(9);
                } else {
                    flow.y += block(tag, r, flow.x, flow.y, flow.width, flow.height, depth + 1).outerHeight;
                }
                spacing.reset();
            } else if (n == L"img" || n == L"input") {
                const Resolved own = resolve(tag, r);
                if (own.hidden)
                    continue;
                if (spacing.spaceBeforeReplaced())
                    addWord(flow, e, r, L" ");
                if (n == L"img")
                    addImage(flow, tag, own);
                else if (const ZString* type = tag.attribute(L"type"); type != nullptr && type->equalsIgnoreCase(L"button"))
                    addButton(flow, tag, own);
            } else {
                const Resolved own = resolve(tag, r);
                if (!own.hidden)
                    flowChildren(tag, own, flow, spacing, depth + 1);
            }
        }
    }

    HFONT fontOf(const Resolved& r)
    {
        return m_parts.fonts.font({r.family, px(r.fontPx), r.weight, r.italic, r.underline, r.strike});
    }

    int lineHeight(const Resolved& r)
    {
        SelectObject(m_dc, fontOf(r));
        TEXTMETRICW tm = {};
        GetTextMetricsW(m_dc, &tm);
        return tm.tmHeight;
    }

    SIZE measure(HFONT font, const ZString& text, int* ascent = nullptr)
    {
        SelectObject(m_dc, font);
        SIZE size = {};
        GetTextExtentPoint32W(m_dc, text.c_str(), text.length(), &size);
        TEXTMETRICW tm = {};
        GetTextMetricsW(m_dc, &tm);
        if (ascent != nullptr)
            *ascent = tm.tmAscent;
        size.cy = tm.tmHeight;
        return size;
    }

    void addWord(Flow& flow, const HtmlTagNode& e, const Resolved& r, const ZString& word)
    {
        Atom atom;
        atom.item.kind = DisplayItem::Text;
        atom.item.element = &e;
        atom.item.font = fontOf(r);
        atom.item.colour = r.colour;
        ZString text(word);
        const int spaceWidth = measure(atom.item.font, L" ").cx;
        if (text.startsWith(L' ')) {
            atom.spaceBefore = spaceWidth;
            text = text.substring(1);
        }
        if (text.endsWith(L' ')) {
            atom.spaceAfter = spaceWidth;
            text.truncate(text.length() - 1);
        }
        atom.item.text = text;
        const SIZE size = measure(atom.item.font, text, &atom.ascent);
        atom.width = size.cx;
        atom.height = size.cy;
        place(flow, std::move(atom), r.noWrap);
    }

    void addImage(Flow& flow, const HtmlTagNode& e, const Resolved& r)
    {
        Atom atom;
        atom.item.kind = DisplayItem::Image;
        atom.item.element = &e;
        if (const ZString* src = e.attribute(L"src"))
            atom.item.image = m_parts.images.image(resolveAddress(m_parts.base, *src));
        const int naturalWidth = atom.item.image != nullptr ? px(static_cast<int>(atom.item.image->GetWidth())) : 0;
        const int naturalHeight = atom.item.image != nullptr ? px(static_cast<int>(atom.item.image->GetHeight())) : 0;
        atom.width = std::max(0, length(r.width, flow.width) >= 0 ? length(r.width, flow.width) : naturalWidth);
        atom.height = std::max(0, length(r.height, -1) >= 0 ? length(r.height, -1) : naturalHeight);
        atom.ascent = atom.height;
        place(flow, std::move(atom), r.noWrap);
    }

    void addButton(Flow& flow, const HtmlTagNode& e, const Resolved& r)
    {
        Atom atom;
        atom.item.kind = DisplayItem::Button;
        atom.item.element = &e;
        atom.item.font = fontOf(r);
        const ZString* value = e.attribute(L"value");
        atom.item.text = value != nullptr ? *value : ZString();
        int ascent = 0;
        const SIZE size = measure(atom.item.font, atom.item.text, &ascent);
        atom.width = std::max(static_cast<int>(size.cx) + px(24), length(r.minWidth, flow.width));
        atom.height = std::max(static_cast<int>(size.cy) + px(10), length(r.minHeight, -1));
        atom.ascent = ascent + (atom.height - static_cast<int>(size.cy)) / 2;
        place(flow, std::move(atom), true);
    }

    void place(Flow& flow, Atom atom, bool noWrap)
    {
        if (atom.item.kind == DisplayItem::Text && atom.item.text.isEmpty() && flow.line.empty())
            return; // a lone space at the start of a line
        int gap = flow.line.empty() ? 0 : flow.line.back().spaceAfter + atom.spaceBefore;
        if (!flow.line.empty() && !noWrap && flow.lineWidth + gap + atom.width > flow.width) {
            endLine(flow);
            gap = 0;
        }
        atom.item.rect.left = flow.lineWidth + gap;
        flow.lineWidth += gap + atom.width;
        flow.line.push_back(std::move(atom));
    }

    void endLine(Flow& flow)
    {
        if (flow.line.empty())
            return;
        int height = 0, ascent = 0;
        for (const Atom& a : flow.line)
            ascent = std::max(ascent, a.ascent);
        for (const Atom& a : flow.line)
            height = std::max(height, ascent - a.ascent + a.height);
        const int free = std::max(0, flow.width - flow.lineWidth);
        const int shift = flow.align == AlignCenter ? free / 2 : flow.align == AlignRight ? free : 0;
        for (Atom& a : flow.line) {
            const int left = flow.x + shift + a.item.rect.left;
            const int top = flow.y + ascent - a.ascent;
            a.item.rect = {left, top, left + a.width, top + a.height};
            m_out.items.push_back(std::move(a.item));
        }
        flow.y += height;
        flow.line.clear();
        flow.lineWidth = 0;
    }

    const LayoutEngine::Parts& m_parts;
    const StateOf& m_stateOf;
    Layout& m_out;
    HDC m_dc;
};

COLORREF gdiColour(uint32_t c) { return c & 0xFFFFFF; }
Gdiplus::Color plusColour(uint32_t c)
{
    return Gdiplus::Color(static_cast<BYTE>(255 - colourFourth(c)), static_cast<BYTE>(colourRed(c)),
                          static_cast<BYTE>(colourGreen(c)), static_cast<BYTE>(colourBlue(c)));
}

void fill(HDC dc, const RECT& r, uint32_t colour)
{
    if (colourFourth(colour) == 0xFF || IsRectEmpty(&r))
        return;
    HBRUSH brush = CreateSolidBrush(gdiColour(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void paintBackground(HDC dc, Gdiplus::Graphics& g, const DisplayItem& item, const RECT& r)
{
    fill(dc, r, item.colour);
    const Gdiplus::Rect area(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (item.gradient && area.Width > 0 && area.Height > 0) {
        static const Gdiplus::LinearGradientMode kModes[] = {
            Gdiplus::LinearGradientModeHorizontal, Gdiplus::LinearGradientModeVertical,
            Gdiplus::LinearGradientModeForwardDiagonal, Gdiplus::LinearGradientModeBackwardDiagonal};
        Gdiplus::LinearGradientBrush brush(area, plusColour(item.gradientFrom), plusColour(item.gradientTo),
                                           kModes[std::clamp(item.gradientDirection, 0, 3)]);
        g.FillRectangle(&brush, area);
    }
    if (item.image != nullptr && area.Width > 0 && area.Height > 0) {
        if (item.repeat == RepeatNone) {
            g.DrawImage(item.image, area.X, area.Y, static_cast<INT>(item.image->GetWidth()),
                        static_cast<INT>(item.image->GetHeight()));
        } else {
            Gdiplus::TextureBrush brush(item.image, Gdiplus::WrapModeTile);
            brush.TranslateTransform(static_cast<Gdiplus::REAL>(area.X), static_cast<Gdiplus::REAL>(area.Y));
            if (item.repeat == RepeatX)
                g.FillRectangle(&brush, area.X, area.Y, area.Width,
                                std::min<INT>(area.Height, static_cast<INT>(item.image->GetHeight())));
            else if (item.repeat == RepeatY)
                g.FillRectangle(&brush, area.X, area.Y,
                                std::min<INT>(area.Width, static_cast<INT>(item.image->GetWidth())), area.Height);
            else
                g.FillRectangle(&brush, area);
        }
    }
    const RECT sides[4] = {{r.left, r.top, r.left + item.border[0], r.bottom},
                           {r.left, r.top, r.right, r.top + item.border[1]},
                           {r.right - item.border[2], r.top, r.right, r.bottom},
                           {r.left, r.bottom - item.border[3], r.right, r.bottom}};
    for (int s = 0; s < 4; ++s)
        if (item.border[s] > 0)
            fill(dc, sides[s], item.borderColour[s]);
}

} // namespace

Layout LayoutEngine::layout(int width, int frameHeight, const StateOf& stateOf) const
{
    Layout out;
    out.width = width;
    Builder builder(m_parts, stateOf, out);
    const Resolved initial;
    // The root holds the body (or the whole document without one) as a block.
    out.height = builder.block(m_parts.document.root(), initial, 0, 0, width, frameHeight, 0, width).outerHeight;
    return out;
}

void paintLayout(HDC dc, const Layout& layout, int offsetY)
{
    Gdiplus::Graphics graphics(dc);
    SetBkMode(dc, TRANSPARENT);
    for (const DisplayItem& item : layout.items) {
        RECT r = item.rect;
        OffsetRect(&r, 0, -offsetY);
        switch (item.kind) {
        case DisplayItem::Background:
            paintBackground(dc, graphics, item, r);
            break;
        case DisplayItem::Text: {
            HGDIOBJ old = SelectObject(dc, item.font);
            SetTextColor(dc, gdiColour(item.colour));
            TextOutW(dc, r.left, r.top, item.text.c_str(), item.text.length());
            SelectObject(dc, old);
            break;
        }
        case DisplayItem::Image:
            if (item.image != nullptr)
                graphics.DrawImage(item.image, static_cast<INT>(r.left), static_cast<INT>(r.top),
                                   static_cast<INT>(r.right - r.left), static_cast<INT>(r.bottom - r.top));
            break;
        case DisplayItem::Button:
            break; // a child window of the frame
        }
    }
}

} // namespace xhtml
