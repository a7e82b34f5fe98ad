// Decoding the front-coded word list, and the list the program carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "generator/WordList.h"
#include "tests/generator/BuiltWordList.h"

namespace kv {
namespace {

std::optional<std::vector<std::string>> Decode(const std::vector<std::uint8_t>& bytes) {
    return DecodeWordList(bytes.data(), bytes.size());
}

TEST(WordListTest, EntriesTakeOverTheStartOfThePreviousWord) {
    // "able", "about" (2 kept: "ab" + "out"), "act" (1 kept: "a" + "ct"), end.
    const std::vector<std::uint8_t> bytes = {0, 4, 'a', 'b', 'l', 'e', 2, 3, 'o', 'u', 't', 1, 2, 'c', 't', 0, 0};
    EXPECT_EQ(Decode(bytes), (std::vector<std::string>{"able", "about", "act"}));
}

TEST(WordListTest, TheEndMarkerEndsTheList) {
    EXPECT_EQ(Decode({0, 0}), std::vector<std::string>{});
    // Whatever follows the marker is not read.
    EXPECT_EQ(Decode({0, 3, 'o', 'n', 'e', 0, 0, 0, 3, 't', 'w', 'o'}), std::vector<std::string>{"one"});
}

TEST(WordListTest, ABrokenListIsRefused) {
    EXPECT_EQ(Decode({}), std::nullopt);
    EXPECT_EQ(Decode({0, 3, 'o', 'n', 'e'}), std::nullopt);        // no end marker
    EXPECT_EQ(Decode({0, 3, 'o', 'n', 'e', 0}), std::nullopt);     // half a marker
    EXPECT_EQ(Decode({0, 5, 'o', 'n', 'e', 0, 0}), std::nullopt);  // runs past the end
    EXPECT_EQ(Decode({2, 3, 'o', 'n', 'e', 0, 0}), std::nullopt);  // keeps more than the previous word has
    EXPECT_EQ(Decode({0, 2, 'a', 'b', 3, 1, 'c', 0, 0}), std::nullopt);
}

// The resource as built by scripts/gen-wordlist.py from resources/wordlist.txt.
class BuiltWordListTest : public ::testing::Test {
protected:
    const std::uint8_t* data = test::kBuiltWordList;
    const std::size_t size = test::kBuiltWordListSize;
};

TEST_F(BuiltWordListTest, HoldsTheWordsInItsFormat) {
    ASSERT_EQ(size, 4508u);
    // It ends in the end marker, and nothing follows it.
    EXPECT_EQ(data[size - 2], 0);
    EXPECT_EQ(data[size - 1], 0);
    const std::optional<std::vector<std::string>> words = DecodeWordList(data, size);
    ASSERT_TRUE(words.has_value());
    ASSERT_EQ(words->size(), 971u);
    EXPECT_EQ(DecodeWordList(data, size - 1), std::nullopt);
}

TEST_F(BuiltWordListTest, WordsAreAscendingLowerCaseOfThreeToTenCharacters) {
    const std::vector<std::string> words = DecodeWordList(data, size).value_or(std::vector<std::string>{});
    ASSERT_EQ(words.size(), 971u);
    int withApostrophe = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        EXPECT_GE(word.size(), 3u) << word;
        EXPECT_LE(word.size(), 10u) << word;
        EXPECT_TRUE(std::all_of(word.begin(), word.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '\''; }))
            << word;
        if (word.find('\'') != std::string::npos) ++withApostrophe;
        if (i > 0) {
            EXPECT_LT(words[i - 1], word);  // strictly ascending, so no word twice
        }
    }
    EXPECT_EQ(withApostrophe, 2);
}

TEST_F(BuiltWordListTest, EveryEntryKeepsOnlyWhatItSharesWithThePreviousWord) {
    // Front coding at its tightest: the kept count is the whole common start.
    const std::vector<std::string> words = DecodeWordList(data, size).value_or(std::vector<std::string>{});
    std::size_t at = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::size_t common = 0;
        if (i > 0) {
            const std::string& previous = words[i - 1];
            while (common < previous.size() && common < words[i].size() && previous[common] == words[i][common]) ++common;
        }
        ASSERT_EQ(data[at], common) << words[i];
        at += 2 + data[at + 1];
    }
    EXPECT_EQ(at, size - 2);
}

}  // namespace
}  // namespace kv
