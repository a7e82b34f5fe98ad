// An invariant of a fuzz target: when it does not hold, the input is a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace kv::fuzz {

inline void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "Invariant broken: %s\n", what);
    std::abort();
}

}  // namespace kv::fuzz
