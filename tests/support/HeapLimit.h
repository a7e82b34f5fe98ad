// While it lives, the heap refuses a block that would take the bytes in use
// more than `bytes` above what was in use when the limit began, so that
// operator new throws std::bad_alloc as it does when memory runs out. Only a
// test program linked with FreedCopies.cpp, whose allocation functions tell
// it of every block, sees the limit.
#pragma once

#include <cstddef>

namespace kv::test {

class HeapLimit {
public:
    explicit HeapLimit(std::size_t bytes);
    ~HeapLimit();
    HeapLimit(const HeapLimit&) = delete;
    HeapLimit& operator=(const HeapLimit&) = delete;

    // Whether a block of `size` bytes may be handed out; counts it when so.
    static bool Take(std::size_t size);
    // A block of `size` bytes went back.
    static void Give(std::size_t size);

    // How many blocks were refused.
    int refused() const { return refused_; }

private:
    long long left_;
    int refused_ = 0;
};

}  // namespace kv::test
