// Which rules reach an element, per pointer state: the sheet's matching rules
// in document order (no specificity), then the element's inline style of that
// state; later values win.
#pragma once

#include "xhtml/HtmlNode.h"
#include "xhtml/StyleProperties.h"
#include "xhtml/StyleSheet.h"

#include <array>
#include <vector>

namespace xhtml {

using StateStyles = std::array<StyleProperties, StateCount>;

// The attributes of an element that act as styles.
struct ElementStyleAttributes {
    ZString id;
    std::vector<ZString> classes; // "class" split at spaces
    ZString title;
    ZString inlineStyle[StateCount]; // "style", "mostyle", "lbdstyle", "rbdstyle"
    bool useFormValues = false; // "useformvalues" is "true" (lower-cased)
    bool disabled = false; // "disabled" is "true", ignoring case
};

ElementStyleAttributes elementStyleAttributes(const HtmlTagNode& element);

bool selectorMatches(const Selector& selector, const ZString& tag, const ElementStyleAttributes& attributes);

StateStyles computeStyles(const StyleSheet& sheet, const HtmlTagNode& element);

// A view whose properties come from the cascade.
class StyledView {
public:
    virtual ~StyledView() = default;
    virtual const HtmlTagNode& element() const = 0;
    const StateStyles& styles() const { return m_styles; }

protected:
    // The properties of that state differ from before (relayout or repaint).
    virtual void stylesChanged(int state) = 0;

private:
    friend void resolveStyles(const StyleSheet& sheet, StyledView& view);
    StateStyles m_styles;
};

// Recomputes the view's properties for all four states and tells it, state
// by state, which of them changed.
void resolveStyles(const StyleSheet& sheet, StyledView& view);

} // namespace xhtml
