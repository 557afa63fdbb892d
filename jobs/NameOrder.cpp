#include "jobs/NameOrder.h"

#include <cwctype>

namespace {

wchar_t at(const ZString& s, int i) { return i < s.length() ? s.getAt(i) : L'\0'; }

bool isDigit(wchar_t c) { return c != 0 && std::iswdigit(static_cast<wint_t>(c)); }

// Digit runs that start with zero: compared digit by digit from the left,
// the run that ends first is smaller.
int compareLeft(const ZString& a, int& ai, const ZString& b, int& bi)
{
    for (;; ++ai, ++bi) {
        const bool da = isDigit(at(a, ai));
        const bool db = isDigit(at(b, bi));
        if (!da && !db)
            return 0;
        if (!da)
            return -1;
        if (!db)
            return 1;
        if (at(a, ai) != at(b, bi))
            return at(a, ai) < at(b, bi) ? -1 : 1;
    }
}

// Other digit runs: compared as integers, so the longer run is larger and
// the first differing digit decides between runs of equal length.
int compareRight(const ZString& a, int& ai, const ZString& b, int& bi)
{
    int bias = 0;
    for (;; ++ai, ++bi) {
        const bool da = isDigit(at(a, ai));
        const bool db = isDigit(at(b, bi));
        if (!da && !db)
            return bias;
        if (!da)
            return -1;
        if (!db)
            return 1;
        if (bias == 0 && at(a, ai) != at(b, bi))
            bias = at(a, ai) < at(b, bi) ? -1 : 1;
    }
}

} // namespace

int ordinalCompare(const ZString& a, const ZString& b) { return a.compare(b); }

int naturalCompare(const ZString& a, const ZString& b)
{
    int ai = 0;
    int bi = 0;
    for (;;) {
        while (at(a, ai) != 0 && std::iswspace(static_cast<wint_t>(at(a, ai))))
            ++ai;
        while (at(b, bi) != 0 && std::iswspace(static_cast<wint_t>(at(b, bi))))
            ++bi;
        wchar_t ca = at(a, ai);
        wchar_t cb = at(b, bi);
        if (isDigit(ca) && isDigit(cb)) {
            const bool fractional = ca == L'0' || cb == L'0';
            const int result = fractional ? compareLeft(a, ai, b, bi) : compareRight(a, ai, b, bi);
            if (result != 0)
                return result;
            continue;
        }
        if (ca == 0 && cb == 0)
            return 0;
        ca = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ca)));
        cb = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(cb)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++ai;
        ++bi;
    }
}

bool nameComesBefore(SortOrder order, const ZString& a, const ZString& b)
{
    switch (order) {
    case SortOrder::Ascending:
        return ordinalCompare(a, b) < 0;
    case SortOrder::Descending:
        return ordinalCompare(a, b) >= 0;
    case SortOrder::NaturalAscending:
        return naturalCompare(a, b) <= 0;
    case SortOrder::NaturalDescending:
        break;
    }
    return naturalCompare(a, b) > 0;
}
