#include "xhtml/TagClasses.h"

#include <initializer_list>

namespace xhtml {

namespace {

bool among(const ZString& name, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* n : names)
        if (name.equals(n))
            return true;
    return false;
}

} // namespace

bool isRawTextTag(const ZString& name) { return among(name, {L"style", L"textarea"}); }

bool isBlockTag(const ZString& name)
{
    return among(name, {L"center", L"div", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"p", L"body", L"table", L"tr",
                        L"td"});
}

bool isEmptyTag(const ZString& name) { return among(name, {L"img", L"hr", L"br", L"input"}); }

bool isInlineTag(const ZString& name)
{
    return among(name, {L"a", L"b", L"big", L"font", L"i", L"select", L"small", L"span", L"strike", L"strong", L"sup",
                        L"sub", L"u", L"nowrap", L"nobr"});
}

bool isReplacedTag(const ZString& name) { return among(name, {L"img", L"input", L"select", L"textarea"}); }

} // namespace xhtml
