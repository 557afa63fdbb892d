#include "web/TextContentTypes.h"

#include <mutex>

namespace {
std::mutex g_lock;

std::vector<ZString>& patterns()
{
    static std::vector<ZString> list = {ZString(L"text/*"), ZString(L"application/json")};
    return list;
}

bool matchFrom(std::wstring_view p, std::wstring_view t)
{
    size_t pi = 0;
    size_t ti = 0;
    size_t star = std::wstring_view::npos;
    size_t mark = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == L'?' || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p[pi] == L'*') {
            star = pi++;
            mark = ti;
        } else if (star != std::wstring_view::npos) {
            pi = star + 1;
            ti = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*')
        ++pi;
    return pi == p.size();
}
} // namespace

bool wildcardMatch(const ZString& pattern, const ZString& text)
{
    return matchFrom(pattern.view(), text.view());
}

void addTextContentType(const ZString& pattern)
{
    if (pattern.isEmpty())
        return;
    std::lock_guard<std::mutex> guard(g_lock);
    patterns().push_back(pattern);
}

std::vector<ZString> textContentTypes()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return patterns();
}

bool isTextContentType(const ZString& contentType)
{
    for (const ZString& p : textContentTypes()) {
        if (wildcardMatch(p, contentType))
            return true;
    }
    return false;
}
