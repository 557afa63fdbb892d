// Orders of job names: ordinal (by UTF-16 code unit, with case) and natural
// (base/NaturalOrder.h), and the stable merge sort the job list uses with them.
#pragma once

#include "base/ZString.h"

#include <functional>
#include <vector>

// -1, 0 or 1.
int ordinalCompare(const ZString& a, const ZString& b);

enum class SortOrder { Ascending, Descending, NaturalAscending, NaturalDescending };

// Whether a comes before b under order: ascending compare < 0, descending >= 0,
// natural ascending <= 0, natural descending > 0. With the merge below, equal
// names keep their order under ascending and natural descending and swap under
// descending and natural ascending.
bool nameComesBefore(SortOrder order, const ZString& a, const ZString& b);

// Stable merge sort of items by their names; a list of fewer than 2 stays as it is.
// In each merge step the element of the later run is taken first whenever
// nameComesBefore(later, earlier) holds.
template <typename T>
void sortByName(std::vector<T>& items, const std::function<ZString(const T&)>& nameOf, SortOrder order)
{
    const size_t n = items.size();
    if (n < 2)
        return;
    std::vector<T> buffer(items);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) {
                if (nameComesBefore(order, nameOf(items[j]), nameOf(items[i])))
                    buffer[k++] = items[j++];
                else
                    buffer[k++] = items[i++];
            }
            while (i < mid)
                buffer[k++] = items[i++];
            while (j < hi)
                buffer[k++] = items[j++];
        }
        items.swap(buffer);
    }
}
