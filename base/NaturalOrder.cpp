#include "base/NaturalOrder.h"

#include <cwctype>

namespace {

bool isDigit(wchar_t c) { return std::iswdigit(static_cast<wint_t>(c)) != 0; }
bool isSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

bool digitAt(std::wstring_view s, size_t i) { return i < s.size() && isDigit(s[i]); }

// Two digit runs by value: the longer run (these runs have no leading zeros)
// is larger; of equal length the first differing digit decides.
int compareWhole(std::wstring_view a, size_t& i, std::wstring_view b, size_t& j)
{
    int bias = 0;
    for (;; ++i, ++j) {
        const bool da = digitAt(a, i), db = digitAt(b, j);
        if (!da && !db)
            return bias;
        if (!da)
            return -1;
        if (!db)
            return 1;
        if (bias == 0 && a[i] != b[j])
            bias = a[i] < b[j] ? -1 : 1;
    }
}

// Two digit runs as fractions: digit by digit, the run that ends first is smaller.
int compareFraction(std::wstring_view a, size_t& i, std::wstring_view b, size_t& j)
{
    for (;; ++i, ++j) {
        const bool da = digitAt(a, i), db = digitAt(b, j);
        if (!da && !db)
            return 0;
        if (!da)
            return -1;
        if (!db)
            return 1;
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
    }
}

} // namespace

int naturalCompare(std::wstring_view a, std::wstring_view b)
{
    size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && isSpace(a[i]))
            ++i;
        while (j < b.size() && isSpace(b[j]))
            ++j;
        if (i >= a.size() || j >= b.size())
            return (i < a.size() ? 1 : 0) - (j < b.size() ? 1 : 0);
        const wchar_t ca = a[i], cb = b[j];
        if (isDigit(ca) && isDigit(cb)) {
            const int r = (ca == L'0' || cb == L'0') ? compareFraction(a, i, b, j) : compareWhole(a, i, b, j);
            if (r != 0)
                return r;
            continue;
        }
        const wint_t ua = std::towupper(static_cast<wint_t>(ca));
        const wint_t ub = std::towupper(static_cast<wint_t>(cb));
        if (ua != ub)
            return ua < ub ? -1 : 1;
        ++i;
        ++j;
    }
}
