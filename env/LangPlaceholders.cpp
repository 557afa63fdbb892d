#include "env/LangPlaceholders.h"

#include "base/Lang.h"

ZString expandLangPlaceholders(const ZString& text, const wchar_t* keyPrefix)
{
    static const wchar_t* const kOpen = L"{lang/";
    const int openLength = 6;
    ZString result(text);
    int from = 0;
    for (;;) {
        const int open = text.find(kOpen, openLength, from);
        if (open < 0)
            break;
        const int close = text.findChar(L'}', open + openLength);
        if (close < 0)
            break;
        const ZString name = close > open + openLength ? text.substring(open + openLength, close - 1) : ZString();
        ZString key = ZString(keyPrefix != nullptr ? keyPrefix : L"") + name;
        if (!lang_hasStr(key.c_str()))
            key = name;
        if (lang_hasStr(key.c_str()))
            result.replaceAll(ZString(kOpen) + name + L"}", lang_getStr(key.c_str()));
        from = close + 1;
    }
    return result;
}
