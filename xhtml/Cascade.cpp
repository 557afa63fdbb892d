#include "xhtml/Cascade.h"

#include "base/TextUtil.h"

namespace xhtml {

namespace {

bool anyOrEqual(const ZString& part, const ZString& value)
{
    return part.isEmpty() || part == L"*" || part.equalsIgnoreCase(value);
}

} // namespace

ElementStyleAttributes elementStyleAttributes(const HtmlTagNode& element)
{
    ElementStyleAttributes a;
    static const wchar_t* const kInline[StateCount] = {L"style", L"mostyle", L"lbdstyle", L"rbdstyle"};
    for (const HtmlAttribute& attribute : element.attributes()) {
        const ZString& n = attribute.name;
        if (n == L"id") {
            a.id = attribute.value;
        } else if (n == L"class") {
            a.classes.clear();
            split(attribute.value, L" ", a.classes);
        } else if (n == L"title") {
            a.title = attribute.value;
        } else if (n == L"useformvalues") {
            a.useFormValues = ZString(attribute.value).toLower() == L"true";
        } else if (n == L"disabled") {
            a.disabled = attribute.value.equalsIgnoreCase(L"true");
        } else {
            for (int s = 0; s < StateCount; ++s)
                if (n == kInline[s])
                    a.inlineStyle[s] = attribute.value;
        }
    }
    return a;
}

bool selectorMatches(const Selector& selector, const ZString& tag, const ElementStyleAttributes& attributes)
{
    if (!anyOrEqual(selector.tag, tag) || !anyOrEqual(selector.id, attributes.id))
        return false;
    if (selector.cls.isEmpty() || selector.cls == L"*")
        return true;
    for (const ZString& c : attributes.classes)
        if (c.equalsIgnoreCase(selector.cls))
            return true;
    return false;
}

StateStyles computeStyles(const StyleSheet& sheet, const HtmlTagNode& element)
{
    const ElementStyleAttributes attributes = elementStyleAttributes(element);
    StateStyles styles;
    for (int state = 0; state < StateCount; ++state) {
        StyleProperties& p = styles[static_cast<size_t>(state)];
        for (const StyleRule& rule : sheet)
            if (rule.selector.state == state && selectorMatches(rule.selector, element.name(), attributes))
                for (const auto& [name, value] : rule.def->declarations)
                    p.apply(name, value);
        if (!attributes.inlineStyle[state].isEmpty()) {
            const std::shared_ptr<const StyleDef> inlineStyle = parseDeclarations(attributes.inlineStyle[state]);
            for (const auto& [name, value] : inlineStyle->declarations)
                p.apply(name, value);
        }
    }
    return styles;
}

void resolveStyles(const StyleSheet& sheet, StyledView& view)
{
    StateStyles styles = computeStyles(sheet, view.element());
    for (int state = 0; state < StateCount; ++state) {
        const size_t s = static_cast<size_t>(state);
        if (styles[s] == view.m_styles[s])
            continue;
        view.m_styles[s] = std::move(styles[s]);
        view.stylesChanged(state);
    }
}

} // namespace xhtml
