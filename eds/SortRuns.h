#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>

// A stable sort that takes time linear in the length when the range is a few runs already in order,
// as a file gives what it lists list by list; a range of many runs is sorted the usual way.
template <typename Iterator, typename Less = std::less<>>
void SortRuns(Iterator first, Iterator last, Less less = {}) {
    constexpr std::size_t MaxRuns = 8;
    std::size_t runs = 1;
    for (Iterator at = std::is_sorted_until(first, last, less); at != last;
         at = std::is_sorted_until(at, last, less)) {
        if (++runs > MaxRuns) {
            std::stable_sort(first, last, less);
            return;
        }
    }
    // Each run in turn is merged into the sorted front, which keeps equal elements in their order.
    for (Iterator sorted = std::is_sorted_until(first, last, less); sorted != last;) {
        const Iterator next = std::is_sorted_until(sorted, last, less);
        std::inplace_merge(first, sorted, next, less);
        sorted = next;
    }
}
