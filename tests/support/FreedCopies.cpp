#include "tests/support/FreedCopies.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/support/HeapLimit.h"

namespace kv::test {
namespace {

std::atomic<FreedCopies*> watching{nullptr};

}  // namespace

std::size_t BlockSize(void* block) {
#ifdef _WIN32
    return _msize(block);
#else
    return malloc_usable_size(block);
#endif
}

FreedCopies::FreedCopies(std::string_view text) : text_(text) { watching = this; }

FreedCopies::~FreedCopies() { watching = nullptr; }

void FreedCopies::Freeing(void* block) {
    FreedCopies* watch = watching;
    if (watch == nullptr || block == nullptr) return;
    const std::string_view contents(static_cast<const char*>(block), BlockSize(block));
    if (contents.find(watch->text_) != std::string_view::npos) ++watch->count_;
}

}  // namespace kv::test

// The whole test program allocates through these, so that FreedCopies sees
// every block that goes back to the heap, the library's own included, and a
// HeapLimit can refuse blocks. Every
// form without an alignment is replaced, so that no block comes from one
// heap and goes back to another. The two that call the heap stay out of
// line: inlined, they would show the optimiser memory from operator new
// going to free(), which it warns of.
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    void* block = std::malloc(size != 0 ? size : 1);
    if (block != nullptr && !kv::test::HeapLimit::Take(kv::test::BlockSize(block))) {
        std::free(block);
        return nullptr;
    }
    return block;
}

void* operator new(std::size_t size) {
    if (void* block = operator new(size, std::nothrow)) return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }

[[gnu::noinline]] void operator delete(void* block) noexcept {
    kv::test::FreedCopies::Freeing(block);
    if (block != nullptr) kv::test::HeapLimit::Give(kv::test::BlockSize(block));
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }
