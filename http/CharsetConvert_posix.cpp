// The host build converts the code pages its tests need (UTF-8, ASCII,
// Latin-1) itself; the Windows build asks the system.
#include "http/Charset.h"

#include "base/TextUtil.h"

namespace http {

bool wideToBytes(const ZString& text, uint32_t codePage, std::string& out)
{
    out.clear();
    if (text.isEmpty())
        return true;
    if (codePage == kCodePageUtf8) {
        out = text.toUtf8();
    } else if (codePage == 20127 || codePage == 28591) {
        const wchar_t limit = codePage == 20127 ? 0x80 : 0x100;
        for (const wchar_t c : text.view())
            out.push_back(c < limit ? static_cast<char>(c) : '?');
    }
    return !out.empty();
}

bool bytesToWide(std::string_view bytes, uint32_t codePage, ZString& out)
{
    out = ZString();
    if (bytes.empty())
        return true;
    if (codePage == kCodePageUtf8) {
        out = utf8DecodeLenient(bytes.data(), bytes.size());
    } else if (codePage == 20127 || codePage == 28591) {
        for (const char c : bytes)
            out.appendChar(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return !out.isEmpty();
}

} // namespace http
