// Counts the bytes the program holds on the heap, for peak-memory figures.
#pragma once

#include <cstddef>

namespace kv::bench {

std::size_t HeapInUse();
std::size_t HeapPeak();
// Starts a new peak from what is in use now.
void ResetHeapPeak();

}  // namespace kv::bench
