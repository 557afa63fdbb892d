#include "jobs/NameOrder.h"

#include "base/NaturalOrder.h"

int ordinalCompare(const ZString& a, const ZString& b) { return a.compare(b); }

bool nameComesBefore(SortOrder order, const ZString& a, const ZString& b)
{
    switch (order) {
    case SortOrder::Ascending:
        return ordinalCompare(a, b) < 0;
    case SortOrder::Descending:
        return ordinalCompare(a, b) >= 0;
    case SortOrder::NaturalAscending:
        return naturalCompare(a.view(), b.view()) <= 0;
    case SortOrder::NaturalDescending:
        break;
    }
    return naturalCompare(a.view(), b.view()) > 0;
}
