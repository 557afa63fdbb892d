#include "http/Charset.h"

namespace http {

namespace {
struct CharsetEntry {
    const wchar_t* name;
    uint32_t codePage;
};

const CharsetEntry kCharsets[] = {
    {L"UTF-8", 65001},      {L"UTF8", 65001},       {L"ASCII", 20127},   {L"US-ASCII", 20127},
    {L"ISO-8859-1", 28591}, {L"Latin-1", 28591},    {L"Latin1", 28591},  {L"ISO-8859-2", 28592},
    {L"Latin-2", 28592},    {L"Latin2", 28592},
};
} // namespace

uint32_t codePageForCharset(const ZString& name, uint32_t defaultCodePage)
{
    for (const CharsetEntry& e : kCharsets) {
        if (name.equalsIgnoreCase(ZString(e.name)))
            return e.codePage;
    }
    return defaultCodePage;
}

} // namespace http
