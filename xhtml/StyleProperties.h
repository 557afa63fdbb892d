// The properties a style can set, and how one declaration sets them.
#pragma once

#include "xhtml/StyleValue.h"

#include <array>

namespace xhtml {

enum class Prop {
    Width, Height, MinWidth, MinHeight,
    Color,
    TextAlign, Underline, LineThrough, Overline,
    VerticalAlign, VerticalAlignContent, VerticalAlignLine,
    FontFamily, FontWeight, FontSize, FontSizeChange, Italic,
    BorderLeftWidth, BorderTopWidth, BorderRightWidth, BorderBottomWidth,
    BorderLeftColor, BorderTopColor, BorderRightColor, BorderBottomColor,
    BorderLeftStyle, BorderTopStyle, BorderRightStyle, BorderBottomStyle,
    Padding, PaddingLeft, PaddingTop, PaddingRight, PaddingBottom,
    Margin, MarginLeft, MarginTop, MarginRight, MarginBottom,
    Cursor, Position, Visibility, Display, Overflow,
    Top, Left, Right, Bottom,
    BackgroundColor, BackgroundImage, BackgroundRepeat, BackgroundPositionX, BackgroundPositionY,
    GradientFrom, GradientTo, GradientDirection,
    NoWrap, Opacity,
    Count
};

// Keyword values the views interpret.
enum TextAlign { AlignDefault = 0, AlignLeft = 1, AlignCenter = 2, AlignRight = 3, AlignJustify = 4 };
enum VerticalAlign { VAlignDefault = 0, VAlignTop = 1, VAlignMiddle = 2, VAlignBottom = 3 };
enum BorderStyle { BorderNone = 0, BorderSolid = 1, BorderDotted = 2, BorderDashed = 3 };
enum Display { DisplayDefault = 0, DisplayNone = 1, DisplayBlock = 2, DisplayInlineBlock = 3 };
enum Overflow { OverflowAuto = 1, OverflowScroll = 2, OverflowVisible = 3, OverflowHidden = 4 };
enum GradientDirection { GradientHorizontal = 0, GradientVertical = 1, GradientForwardDiagonal = 2,
                         GradientBackwardDiagonal = 3 };
enum BackgroundRepeat { RepeatNone = 0, Repeat = 1, RepeatX = 2, RepeatY = 3 };

// The properties of one element in one pointer state; unset ones are None.
class StyleProperties {
public:
    const StyleValue& get(Prop p) const { return m_values[static_cast<size_t>(p)]; }
    void set(Prop p, StyleValue v) { m_values[static_cast<size_t>(p)] = std::move(v); }
    bool operator==(const StyleProperties& o) const { return m_values == o.m_values; }

    // One declaration (name and value lower case); unknown names are ignored.
    void apply(const ZString& name, const ZString& value);

private:
    std::array<StyleValue, static_cast<size_t>(Prop::Count)> m_values;
};

} // namespace xhtml
