// Counts, while it lives, the heap blocks given back that still hold a text.
// A test program that uses it is linked with FreedCopies.cpp, whose
// allocation functions show it every block before freeing; such a program
// watches every block freed, so it runs apart from the other tests.
#pragma once

#include <cstddef>
#include <string_view>

namespace kv::test {

class FreedCopies {
public:
    explicit FreedCopies(std::string_view text);
    ~FreedCopies();
    FreedCopies(const FreedCopies&) = delete;
    FreedCopies& operator=(const FreedCopies&) = delete;

    int count() const { return count_; }

    // Called by the allocation functions with every block about to be freed.
    static void Freeing(void* block);

private:
    std::string_view text_;
    int count_ = 0;
};

// The usable size of a block from the heap.
std::size_t BlockSize(void* block);

}  // namespace kv::test
