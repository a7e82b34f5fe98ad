// The distributions the generator promises, counted over fixed samples from
// a seeded source. The bounds lie several standard deviations from the
// expected shares and far from the shares a biased rule would give.
#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "generator/PasswordGenerator.h"
#include "generator/WordList.h"
#include "tests/generator/BuiltWordList.h"
#include "tests/generator/TestRandom.h"

namespace kv {
namespace {

using test::SeededRandom;

class DistributionTest : public ::testing::Test {
protected:
    // Counts the characters of `passwords` passwords by `classify`.
    template <class Classify>
    std::map<char, int> CountCharacters(int passwords, Classify classify) {
        std::map<char, int> counts;
        for (int i = 0; i < passwords; ++i) {
            const GeneratedPassword made = GeneratePassword(options, words, random);
            for (const char c : made.text.view()) ++counts[classify(c)];
        }
        return counts;
    }

    static double Share(int count, int total) { return static_cast<double>(count) / total; }

    GeneratorOptions options;
    std::vector<std::string> words =
        DecodeWordList(test::kBuiltWordList, test::kBuiltWordListSize).value_or(std::vector<std::string>{});
    SeededRandom random{20240611};
};

TEST_F(DistributionTest, ThreeCheckedClassesTakeAThirdOfThePositionsEach) {
    // 48,000 positions: one standard deviation of a share is 0.0022. Drawing
    // from the 82 characters together would give digits 0.12 of them.
    options.useNumbers = true;
    options.useSpecial = true;
    options.specialChars = "_{}[]()!@#$&*+-=<>`~";
    const auto counts = CountCharacters(3000, [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) ? 'L' : std::isdigit(static_cast<unsigned char>(c)) ? 'D' : 'S';
    });
    const int total = 3000 * 16;
    for (const char kind : {'L', 'D', 'S'}) {
        EXPECT_NEAR(Share(counts.count(kind) ? counts.at(kind) : 0, total), 1.0 / 3, 0.012) << kind;
    }
}

TEST_F(DistributionTest, MixedCaseGivesHalfTheLettersInUpperCase) {
    // 48,000 letters: one standard deviation is 0.0023; upper-casing on top
    // of the mixed letters would give three quarters.
    const auto counts = CountCharacters(3000, [](char c) { return std::isupper(static_cast<unsigned char>(c)) ? 'U' : 'l'; });
    EXPECT_NEAR(Share(counts.at('U'), 3000 * 16), 0.5, 0.012);
}

TEST_F(DistributionTest, EveryCharacterOfAClassIsDrawn) {
    options.useLetters = false;
    options.useNumbers = true;
    const auto counts = CountCharacters(1000, [](char c) { return c; });
    ASSERT_EQ(counts.size(), 10u);
    // 16,000 digits: 1,600 expected of each, one standard deviation 38.
    for (const auto& [digit, count] : counts) EXPECT_NEAR(count, 1600, 200) << digit;
}

TEST_F(DistributionTest, DigitCountsOfOneToFourAreEquallyLikely) {
    options.type = PasswordType::Simple;
    options.words = WordPattern::WordNumber;
    std::map<std::size_t, int> counts;
    for (int i = 0; i < 20000; ++i) {
        const std::string text(GeneratePassword(options, words, random).text.view());
        ++counts[text.size() - text.find_first_of("0123456789")];
    }
    ASSERT_EQ(counts.size(), 4u);
    // One standard deviation of a share is 0.0031.
    for (std::size_t digits = 1; digits <= 4; ++digits) EXPECT_NEAR(Share(counts[digits], 20000), 0.25, 0.016) << digits;
}

TEST_F(DistributionTest, EveryWordIsReachableAndNoneFavoured) {
    ASSERT_EQ(words.size(), 971u);
    options.type = PasswordType::Simple;
    options.letterCase = LetterCase::Lower;
    std::map<std::string, int> counts;
    const int draws = 100000;
    for (int i = 0; i < draws; ++i) ++counts[std::string(GeneratePassword(options, words, random).text.view())];
    // Each word is expected 103 times (one standard deviation 10); a word
    // left out, or picked for two draws as the first one was, is far off.
    EXPECT_EQ(counts.size(), words.size());
    const double expected = static_cast<double>(draws) / static_cast<double>(words.size());
    EXPECT_NEAR(counts[words.front()], expected, 55);
    EXPECT_NEAR(counts[words.back()], expected, 55);
    for (const auto& [word, count] : counts) EXPECT_NEAR(count, expected, 60) << word;
}

}  // namespace
}  // namespace kv
