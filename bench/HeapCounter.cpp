// Replaces the global allocation functions of the benchmark program with ones
// that keep count; each block carries its size in front of it.
#include "bench/HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace kv::bench {
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t now = inUse.fetch_add(size) + size;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return block + kHeader;
}

void Free(void* pointer) {
    if (pointer == nullptr) return;
    unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
    inUse.fetch_sub(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

}  // namespace

std::size_t HeapInUse() { return inUse.load(); }
std::size_t HeapPeak() { return peak.load(); }
void ResetHeapPeak() { peak.store(inUse.load()); }

}  // namespace kv::bench

void* operator new(std::size_t size) { return kv::bench::Allocate(size); }
void* operator new[](std::size_t size) { return kv::bench::Allocate(size); }
void operator delete(void* pointer) noexcept { kv::bench::Free(pointer); }
void operator delete[](void* pointer) noexcept { kv::bench::Free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { kv::bench::Free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { kv::bench::Free(pointer); }
