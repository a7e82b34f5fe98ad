// No block of memory that the generator gives back to the heap still holds
// a piece of the password it made. This program watches every block freed,
// so it runs apart from the other tests.
#include <gtest/gtest.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "db/SecureWipe.h"
#include "generator/PasswordGenerator.h"
#include "tests/generator/TestRandom.h"

namespace {

// Counts, while it lives, the heap blocks freed that still hold a given
// text: the allocation functions below show it every block before freeing.
class FreedCopies {
public:
    explicit FreedCopies(std::string_view text) : text_(text) { watching = this; }
    ~FreedCopies() { watching = nullptr; }
    FreedCopies(const FreedCopies&) = delete;
    FreedCopies& operator=(const FreedCopies&) = delete;

    int count() const { return count_; }

    static void Freeing(void* block) {
        FreedCopies* watch = watching;
        if (watch == nullptr || block == nullptr) return;
        const std::string_view contents(static_cast<const char*>(block), BlockSize(block));
        if (contents.find(watch->text_) != std::string_view::npos) ++watch->count_;
    }

private:
    static std::size_t BlockSize(void* block) {
#ifdef _WIN32
        return _msize(block);
#else
        return malloc_usable_size(block);
#endif
    }

    static inline std::atomic<FreedCopies*> watching{nullptr};
    std::string_view text_;
    int count_ = 0;
};

}  // namespace

// The whole test program allocates through these, so that FreedCopies sees
// every block that goes back to the heap, the library's own included. Every
// form without an alignment is replaced, so that no block comes from one
// heap and goes back to another. The two that call the heap stay out of
// line: inlined, they would show the optimiser memory from operator new
// going to free(), which it warns of.
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}

void* operator new(std::size_t size) {
    if (void* block = operator new(size, std::nothrow)) return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }

[[gnu::noinline]] void operator delete(void* block) noexcept {
    FreedCopies::Freeing(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }

namespace kv {
namespace {

using test::SeededRandom;

const std::vector<std::string> kWords = {"apple", "berry", "cherry", "don't", "zebra"};

class FreedCopiesTest : public ::testing::Test {
protected:
    // Makes one password twice from the same seed: first to learn twelve
    // characters of its random part (which starts at `randomStart`), then
    // counting the blocks freed while it is made again that still hold them.
    // The piece starts a few characters in: a string given up may have had
    // its first character cleared.
    int FreedCopiesOf(const std::vector<std::string>& words, std::size_t randomStart) {
        const std::size_t from = randomStart + 4;
        SeededRandom first{7};
        GeneratedPassword learned = GeneratePassword(options, words, first);
        const std::string piece = learned.text.substr(from, 12);
        SecureWipe(learned.text);
        SeededRandom again{7};
        GeneratedPassword made;
        int copies = 0;
        {
            FreedCopies watch(piece);
            made = GeneratePassword(options, words, again);
            copies = watch.count();
        }
        EXPECT_EQ(made.text.substr(from, 12), piece);
        return copies;
    }

    GeneratorOptions options;
};

TEST_F(FreedCopiesTest, NoFreedMemoryKeepsACopyOfThePassword) {
    // Digits keep their case: what was drawn is what the password shows.
    options.useLetters = false;
    options.useNumbers = true;
    options.length = 64;
    options.insertText = "ab";
    for (const InsertPlace place : {InsertPlace::None, InsertPlace::Prefix, InsertPlace::Middle, InsertPlace::Suffix}) {
        options.insertPlace = place;
        EXPECT_EQ(FreedCopiesOf(kWords, place == InsertPlace::Prefix ? 2 : 0), 0) << static_cast<int>(place);
    }
    // Words long enough that the password does not fit in the string itself.
    const std::vector<std::string> longWords = {"blackberry", "strawberry", "watermelon"};
    options.type = PasswordType::Simple;
    options.words = WordPattern::WordNumberWord;
    for (const InsertPlace place : {InsertPlace::None, InsertPlace::Prefix, InsertPlace::Middle, InsertPlace::Suffix}) {
        options.insertPlace = place;
        EXPECT_EQ(FreedCopiesOf(longWords, place == InsertPlace::Prefix ? 2 : 0), 0) << static_cast<int>(place);
    }
}

}  // namespace
}  // namespace kv
