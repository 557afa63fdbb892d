#include "env/CmdlineParser.h"

#include <windows.h>
#include <shellapi.h>

void CmdlineParser::parse(const ZString& text, bool skipFirst)
{
    reset();
    if (text.isEmpty())
        return;
    int count = 0;
    wchar_t** elements = CommandLineToArgvW(text.c_str(), &count);
    if (elements == nullptr)
        return;
    const int first = skipFirst ? 1 : 0;
    if (count - first > 0)
        parseArguments(elements + first, count - first);
    LocalFree(elements);
}

void CmdlineParser::parseArguments(const wchar_t* const* elements, int count)
{
    int i = 0;
    while (i < count)
        i += 1 + handleArgument(elements, i, count);
}

int CmdlineParser::handleArgument(const wchar_t* const* elements, int i, int count)
{
    const ZString key(elements[i]);
    const ZString value = i + 1 < count ? ZString(elements[i + 1]) : ZString();
    return handleOption(key, value);
}
