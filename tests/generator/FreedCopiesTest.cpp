// No block of memory that the generator gives back to the heap still holds
// a piece of the password it made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/PasswordGenerator.h"
#include "tests/generator/TestRandom.h"
#include "tests/support/FreedCopies.h"

namespace kv {
namespace {

using test::FreedCopies;
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
        const std::string piece(GeneratePassword(options, words, first).text.view().substr(from, 12));
        SeededRandom again{7};
        GeneratedPassword made;
        int copies = 0;
        {
            FreedCopies watch(piece);
            made = GeneratePassword(options, words, again);
            copies = watch.count();
        }
        EXPECT_EQ(made.text.view().substr(from, 12), piece);
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
