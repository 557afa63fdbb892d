#include "http/Charset.h"

#include <windows.h>

#include <climits>

namespace http {

bool wideToBytes(const ZString& text, uint32_t codePage, std::string& out)
{
    out.clear();
    if (text.isEmpty())
        return true;
    const int n = WideCharToMultiByte(codePage, 0, text.c_str(), text.length(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return false;
    out.resize(static_cast<size_t>(n));
    const int written = WideCharToMultiByte(codePage, 0, text.c_str(), text.length(), out.data(), n, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return !out.empty();
}

bool bytesToWide(std::string_view bytes, uint32_t codePage, ZString& out)
{
    out = ZString();
    if (bytes.empty())
        return true;
    if (bytes.size() > static_cast<size_t>(INT_MAX))
        return false;
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    out.setLength(n);
    const int written = MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), n);
    out.truncate(written > 0 ? written : 0);
    return !out.isEmpty();
}

} // namespace http
