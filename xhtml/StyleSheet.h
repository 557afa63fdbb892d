// Style sheets: rules of a selector and a declaration block, in document order.
#pragma once

#include "base/ZString.h"

#include <memory>
#include <utility>
#include <vector>

namespace xhtml {

// Pointer states: every property has a value for each.
enum PointerState { StateNormal = 0, StateHover = 1, StateLeftDown = 2, StateRightDown = 3, StateCount = 4 };

// The declarations of one block, in written order, names and values lower
// case; shared by every rule of the block's selector list.
struct StyleDef {
    std::vector<std::pair<ZString, ZString>> declarations;
};

// Empty or "*" parts match anything. A selector has an id or a class, not both.
struct Selector {
    ZString tag;
    ZString id;
    ZString cls;
    int state = StateNormal;
};

struct StyleRule {
    Selector selector;
    std::shared_ptr<const StyleDef> def;
};

using StyleSheet = std::vector<StyleRule>;

// Appends the rules of a sheet; a leading "<!--" is skipped; a rule must start
// with "#", ".", "*" or a letter, else reading ends; a rule without "}" is dropped.
void parseStyleSheet(const ZString& text, StyleSheet& sheet);
// "tag", "tag#id", "tag.class", "#id", ".class", each optionally with
// ":hover" (or "hoover", "mo"), ":leftbuttondown" ("lbd") or
// ":rightbuttondown" ("rbd").
Selector parseSelector(const ZString& text);
// "name: value; ..." into a shared block; empty names are skipped.
std::shared_ptr<StyleDef> parseDeclarations(const ZString& text);

} // namespace xhtml
