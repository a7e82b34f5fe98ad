// The rules of making a password: classes, words, case and inserted text.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "generator/PasswordGenerator.h"
#include "tests/generator/TestRandom.h"

namespace kv {
namespace {

using Outcome = GeneratedPassword::Outcome;
using test::FailingRandom;
using test::ScriptedRandom;
using test::SeededRandom;

const std::vector<std::string> kWords = {"apple", "berry", "cherry", "don't", "zebra"};

bool AllOf(const std::string& text, int (*test)(int)) {
    return std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

// The password made, as plain text to compare.
std::string Text(const GeneratedPassword& made) { return std::string(made.text.view()); }

class GeneratorTest : public ::testing::Test {
protected:
    GeneratedPassword Make(RandomSource& source) { return GeneratePassword(options, kWords, source); }
    GeneratedPassword Make() { return Make(random); }

    GeneratorOptions options;
    SeededRandom random{42};
};

TEST_F(GeneratorTest, SixteenLettersByDefault) {
    const GeneratedPassword made = Make();
    EXPECT_EQ(made.outcome, Outcome::Made);
    EXPECT_EQ(Text(made).size(), 16u);
    EXPECT_TRUE(AllOf(Text(made), isalpha)) << Text(made);
}

TEST_F(GeneratorTest, EachPositionTakesAClassFirstThenACharacterOfIt) {
    options.useNumbers = true;
    options.useSpecial = true;
    options.specialChars = "#%";
    options.length = 3;
    options.letterCase = LetterCase::Upper;
    // Position 1: class 1 (digits), digit 7. Position 2: class 2 (special), '%'.
    // Position 3: class 0 (letters), letter 27 ('b', upper-cased).
    ScriptedRandom source{1, 7, 2, 1, 0, 27};
    EXPECT_EQ(Text(Make(source)), "7%B");
}

TEST_F(GeneratorTest, NoClassCheckedMakesNothing) {
    options.useLetters = false;
    const GeneratedPassword made = Make();
    EXPECT_EQ(made.outcome, Outcome::NoCharacterClass);
    EXPECT_EQ(Text(made), "");
    // A Simple password needs no class.
    options.type = PasswordType::Simple;
    EXPECT_EQ(Make().outcome, Outcome::Made);
}

TEST_F(GeneratorTest, AnEmptiedSpecialSetGivesAnEmptyPassword) {
    options.useLetters = false;
    options.useSpecial = true;
    options.specialChars = "";
    const GeneratedPassword made = Make();
    EXPECT_EQ(made.outcome, Outcome::Made);
    EXPECT_EQ(Text(made), "");
}

TEST_F(GeneratorTest, SuffixIsCutToTheLength) {
    options.length = 5;
    options.insertPlace = InsertPlace::Suffix;
    options.insertText = "abcdefgh";
    EXPECT_EQ(Text(Make()), "abcde");
    options.length = 10;
    options.insertText = "XY";
    const std::string text = Text(Make());
    EXPECT_EQ(text.size(), 10u);
    EXPECT_EQ(text.substr(8), "XY");
}

TEST_F(GeneratorTest, MiddleSplitsTheRandomPartInHalves) {
    options.length = 10;
    options.insertPlace = InsertPlace::Middle;
    options.insertText = "XY";
    options.useLetters = false;
    options.useNumbers = true;
    const std::string text = Text(Make());
    EXPECT_TRUE(std::regex_match(text, std::regex("[0-9]{4}XY[0-9]{4}"))) << text;
    // An odd number of random characters puts the extra one after the text.
    options.length = 6;
    options.insertText = "X";
    EXPECT_TRUE(std::regex_match(Text(Make()), std::regex("[0-9]{2}X[0-9]{3}")));
}

TEST_F(GeneratorTest, PrefixGoesInFrontAndTheWholeIsCut) {
    options.length = 6;
    options.insertPlace = InsertPlace::Prefix;
    options.insertText = "ab";
    const std::string text = Text(Make());
    EXPECT_EQ(text.size(), 6u);
    EXPECT_EQ(text.substr(0, 2), "ab");
    options.insertText = "abcdefgh";
    EXPECT_EQ(Text(Make()), "abcdef");
}

TEST_F(GeneratorTest, InsertedTextKeepsItsCaseAndNeedsAPlace) {
    options.letterCase = LetterCase::Lower;
    options.insertPlace = InsertPlace::Suffix;
    options.insertText = "XY";
    EXPECT_EQ(Text(Make()).substr(14), "XY");
    options.insertPlace = InsertPlace::None;
    EXPECT_EQ(Text(Make()).find("XY"), std::string::npos);
}

TEST_F(GeneratorTest, UpperAndLowerCase) {
    options.letterCase = LetterCase::Upper;
    EXPECT_TRUE(AllOf(Text(Make()), isupper));
    options.letterCase = LetterCase::Lower;
    EXPECT_TRUE(AllOf(Text(Make()), islower));
}

TEST_F(GeneratorTest, ALengthOfNothingMakesAnEmptyPassword) {
    options.length = 0;
    EXPECT_EQ(Text(Make()), "");
    options.length = ParsePasswordLength("text");
    EXPECT_EQ(Text(Make()), "");
}

TEST_F(GeneratorTest, SimpleWordNumberWordWithMiddleTextInLowerCase) {
    options.type = PasswordType::Simple;
    options.words = WordPattern::WordNumberWord;
    options.insertPlace = InsertPlace::Middle;
    options.insertText = "-";
    options.letterCase = LetterCase::Lower;
    options.length = 3;  // not a limit for Simple passwords
    // Word 2, 4 digits (3 + 1): 9, 0, 5, 1; then word 4.
    ScriptedRandom source{2, 3, 9, 0, 5, 1, 4};
    EXPECT_EQ(Text(Make(source)), "cherry9051-zebra");
    for (int i = 0; i < 50; ++i) {
        const std::string text = Text(Make());
        EXPECT_TRUE(std::regex_match(text, std::regex("(apple|berry|cherry|don't|zebra)[0-9]{1,4}-"
                                                      "(apple|berry|cherry|don't|zebra)")))
            << text;
    }
}

TEST_F(GeneratorTest, SimpleWordsAreCapitalised) {
    options.type = PasswordType::Simple;
    options.words = WordPattern::WordWord;
    ScriptedRandom source{0, 3};
    EXPECT_EQ(Text(Make(source)), "AppleDon't");
    options.words = WordPattern::WordNumber;
    options.letterCase = LetterCase::Upper;
    ScriptedRandom digits{1, 0, 6};
    EXPECT_EQ(Text(Make(digits)), "BERRY6");
    options.words = WordPattern::SingleWord;
    options.insertPlace = InsertPlace::Prefix;
    options.insertText = "x";
    ScriptedRandom single{4};
    EXPECT_EQ(Text(Make(single)), "xZEBRA");
}

TEST_F(GeneratorTest, TheFirstAndTheLastWordCanBePicked) {
    options.type = PasswordType::Simple;
    ScriptedRandom first{0};
    EXPECT_EQ(Text(Make(first)), "Apple");
    ScriptedRandom second{1};
    EXPECT_EQ(Text(Make(second)), "Berry");
    ScriptedRandom last{static_cast<std::uint32_t>(kWords.size() - 1)};
    EXPECT_EQ(Text(Make(last)), "Zebra");
}

TEST_F(GeneratorTest, WithoutWordsASimplePasswordIsOnlyItsInsertedText) {
    options.type = PasswordType::Simple;
    options.words = WordPattern::WordNumberWord;
    EXPECT_EQ(Text(GeneratePassword(options, {}, random)), "");
    options.insertPlace = InsertPlace::Suffix;
    options.insertText = "tail";
    EXPECT_EQ(Text(GeneratePassword(options, {}, random)), "tail");
}

TEST_F(GeneratorTest, AFailedRandomSourceMakesNoPassword) {
    FailingRandom source;
    const GeneratedPassword made = Make(source);
    EXPECT_EQ(made.outcome, Outcome::RandomFailed);
    EXPECT_EQ(Text(made), "");
}

TEST(PasswordLengthTest, TheLeadingNumberUpToTheLongestTypedLength) {
    EXPECT_EQ(ParsePasswordLength("16"), 16);
    EXPECT_EQ(ParsePasswordLength(" 7 chars"), 7);
    EXPECT_EQ(ParsePasswordLength("+12"), 12);
    EXPECT_EQ(ParsePasswordLength("80"), 80);
    EXPECT_EQ(ParsePasswordLength("81"), 81);
    EXPECT_EQ(ParsePasswordLength("1024"), 1024);
    EXPECT_EQ(ParsePasswordLength("1025"), 1024);
    EXPECT_EQ(ParsePasswordLength("99999999999999999999"), 1024);
    EXPECT_EQ(ParsePasswordLength("0"), 0);
    EXPECT_EQ(ParsePasswordLength("-5"), 0);
    EXPECT_EQ(ParsePasswordLength("text"), 0);
    EXPECT_EQ(ParsePasswordLength(""), 0);
}

TEST(PasswordLengthTest, ATypedLengthBeyondTheSpinRangeIsMade) {
    GeneratorOptions options;
    options.length = ParsePasswordLength("100");
    SeededRandom random{1};
    EXPECT_EQ(GeneratePassword(options, {}, random).text.size(), 100u);
    // An absurd length is cut to the longest typed length.
    options.length = 5000;
    EXPECT_EQ(GeneratePassword(options, {}, random).text.size(), 1024u);
}

TEST(RemoveQuotesTest, RemovesEveryDoubleQuote) {
    std::string text = "a\"b\"\"c'";
    EXPECT_TRUE(RemoveQuotes(text));
    EXPECT_EQ(text, "abc'");
    EXPECT_FALSE(RemoveQuotes(text));
    EXPECT_EQ(text, "abc'");
}

}  // namespace
}  // namespace kv
