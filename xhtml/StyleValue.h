// Typed style values and the parsing of lengths and colours.
#pragma once

#include "base/ZString.h"

#include <cstdint>
#include <vector>

namespace xhtml {

// Colours: red in the lowest byte, then green, blue, and a fourth byte that is
// 0 for opaque and 0xFF for "Transparent".
constexpr uint32_t kTransparent = 0xFF000000;
constexpr uint32_t colourRed(uint32_t c) { return c & 0xFF; }
constexpr uint32_t colourGreen(uint32_t c) { return (c >> 8) & 0xFF; }
constexpr uint32_t colourBlue(uint32_t c) { return (c >> 16) & 0xFF; }
constexpr uint32_t colourFourth(uint32_t c) { return c >> 24; }

struct StyleValue {
    // Keyword: a value from one of the keyword tables.
    enum Kind { None, Integer, Float, Boolean, Colour, String, StringList, Keyword };

    Kind kind = None;
    int32_t integer = 0; // Integer, Keyword, Boolean (0 or 1)
    double number = 0;   // Float
    uint32_t colour = 0; // Colour
    ZString text;        // String
    std::vector<ZString> list; // StringList
    bool percent = false; // a length given in per cent

    static StyleValue ofInteger(int32_t v) { StyleValue s; s.kind = Integer; s.integer = v; return s; }
    static StyleValue ofFloat(double v) { StyleValue s; s.kind = Float; s.number = v; return s; }
    static StyleValue ofBoolean(bool v) { StyleValue s; s.kind = Boolean; s.integer = v ? 1 : 0; return s; }
    static StyleValue ofColour(uint32_t v) { StyleValue s; s.kind = Colour; s.colour = v; return s; }
    static StyleValue ofKeyword(int32_t v) { StyleValue s; s.kind = Keyword; s.integer = v; return s; }
    static StyleValue ofString(const ZString& v) { StyleValue s; s.kind = String; s.text = v; return s; }

    bool isSet() const { return kind != None; }
    // Integer, Keyword and Boolean as they are, Float truncated, anything else 0.
    int32_t asInt() const { return kind == Float ? static_cast<int32_t>(number) : kind == Colour ? 0 : integer; }
    double asDouble() const { return kind == Float ? number : asInt(); }
    bool operator==(const StyleValue& o) const;
};

// Trimmed; "0x..." is an integer in that base; otherwise a decimal number,
// an integer without fraction and floating point with one; unit letters are
// ignored (12px equals 12) and a final "%" sets the per-cent flag.
StyleValue parseLength(const ZString& text);

// A name of the colour table (ignoring case), "#RRGGBBAA", "#RRGGBB", "#RGBA"
// or "#RGB" (single digits taken as they are, 0 to 15, not doubled); anything
// else is kTransparent.
uint32_t parseColour(const ZString& text);
// Whether the text names a colour of the table (the shorthands need to know).
bool isColourName(const ZString& text);

} // namespace xhtml
