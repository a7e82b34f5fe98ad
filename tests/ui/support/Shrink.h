// Delta debugging of a failing sequence: leaves out ever smaller chunks of it
// and keeps each shorter sequence that still fails, until no single chunk can
// go or the budget of tries is spent.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace kv::uitest {

template <typename T>
std::vector<T> Shrink(std::vector<T> failing, const std::function<bool(const std::vector<T>&)>& fails,
                      const std::function<bool()>& budgetLeft) {
    std::size_t chunks = 2;
    while (failing.size() >= 2 && budgetLeft()) {
        const std::size_t size = (failing.size() + chunks - 1) / chunks;
        bool reduced = false;
        for (std::size_t start = 0; start < failing.size() && budgetLeft(); start += size) {
            std::vector<T> candidate(failing.begin(), failing.begin() + static_cast<std::ptrdiff_t>(start));
            candidate.insert(candidate.end(),
                             failing.begin() + static_cast<std::ptrdiff_t>(std::min(start + size, failing.size())),
                             failing.end());
            if (fails(candidate)) {
                failing = std::move(candidate);
                chunks = std::max<std::size_t>(chunks - 1, 2);
                reduced = true;
                break;
            }
        }
        if (reduced) continue;
        if (chunks >= failing.size()) break;
        chunks = std::min(failing.size(), chunks * 2);
    }
    return failing;
}

}  // namespace kv::uitest
