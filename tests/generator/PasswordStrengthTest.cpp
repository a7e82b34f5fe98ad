// The strength shown for generated and typed passwords.
#include <gtest/gtest.h>

#include <cmath>

#include "generator/PasswordStrength.h"
#include "tests/generator/TestRandom.h"

namespace kv {
namespace {

class StrengthTest : public ::testing::Test {
protected:
    std::string Label(std::size_t wordCount = 971) { return StrengthLabel(GeneratedBits(options, wordCount)); }

    GeneratorOptions options;
};

TEST_F(StrengthTest, SecureIsLengthTimesTheBitsOfAPosition) {
    EXPECT_EQ(Label(), "91 bits");  // 16 * log2(52)
    options.letterCase = LetterCase::Upper;
    EXPECT_EQ(Label(), "75 bits");  // 16 * log2(26)
    options.useLetters = false;
    options.useNumbers = true;
    EXPECT_EQ(Label(), "53 bits");  // 16 * log2(10)
    options.length = 0;
    EXPECT_EQ(Label(), "0 bits");
}

TEST_F(StrengthTest, EachClassIsEquallyLikelyWhateverItsSize) {
    options.useNumbers = true;
    options.useSpecial = true;
    options.specialChars = "_{}[]()!@#$&*+-=<>`~";
    // Per position: log2(3) for the class, then the mean of log2(52), log2(10) and log2(20).
    EXPECT_EQ(Label(), "96 bits");
    options.letterCase = LetterCase::Upper;
    options.useSpecial = false;
    // Half letters (26, each 1/52), half digits (each 1/20).
    EXPECT_EQ(Label(), "80 bits");
}

TEST_F(StrengthTest, CharactersInTwoClassesCountOnce) {
    // Digits checked twice over are still only ten characters.
    options.useLetters = false;
    options.useNumbers = true;
    options.useSpecial = true;
    options.specialChars = "0123456789";
    EXPECT_EQ(Label(), "53 bits");
    options.useSpecial = false;
    options.specialChars = "";
    EXPECT_EQ(Label(), "53 bits");
}

TEST_F(StrengthTest, InsertedTextTakesThePlaceOfRandomCharacters) {
    options.length = 10;
    options.insertPlace = InsertPlace::Middle;
    options.insertText = "XY";
    EXPECT_EQ(Label(), "45 bits");  // 8 * log2(52)
    options.insertText = "a longer text than ten";
    EXPECT_EQ(Label(), "0 bits");
    options.insertPlace = InsertPlace::None;
    EXPECT_EQ(Label(), "57 bits");
}

TEST_F(StrengthTest, ShownUpTo448Bits) {
    options.length = 80;
    options.useNumbers = true;
    options.useSpecial = true;
    options.specialChars = "_{}[]()!@#$&*+-=<>`~";
    EXPECT_EQ(Label(), "448 bits");  // 482 bits
    EXPECT_EQ(StrengthLabel(447.99), "447 bits");
    EXPECT_EQ(StrengthLabel(32.0), "32 bits");
}

TEST_F(StrengthTest, SimpleCountsTheWordAndDigitChoices) {
    options.type = PasswordType::Simple;
    EXPECT_EQ(Label(), "9 bits");  // log2(971)
    options.words = WordPattern::WordWord;
    EXPECT_EQ(Label(), "19 bits");
    options.words = WordPattern::WordNumber;
    // 2 bits for the count of digits, then 2.5 digits on average.
    EXPECT_EQ(Label(), "20 bits");
    options.words = WordPattern::WordNumberWord;
    options.insertPlace = InsertPlace::Middle;
    options.insertText = "-";
    EXPECT_EQ(Label(), "30 bits");
    options.length = 80;  // no part of a Simple password
    EXPECT_EQ(Label(), "30 bits");
    EXPECT_EQ(Label(0), "0 bits");
    EXPECT_EQ(Label(1), "10 bits");  // only the digits are left to chance
}

TEST_F(StrengthTest, AGeneratedPasswordCarriesItsBits) {
    test::SeededRandom random(5);
    const GeneratedPassword made = GeneratePassword(options, {}, random);
    EXPECT_DOUBLE_EQ(made.bits, 16 * std::log2(52.0));
}

TEST(TypedStrengthTest, LengthTimesTheClassesItUses) {
    EXPECT_EQ(StrengthLabel(TypedBits("")), "0 bits");
    EXPECT_EQ(StrengthLabel(TypedBits("abc")), "14 bits");   // 3 * log2(26)
    EXPECT_EQ(StrengthLabel(TypedBits("Abc1")), "23 bits");  // 4 * log2(62)
    EXPECT_EQ(StrengthLabel(TypedBits("a b")), "17 bits");   // 3 * log2(26 + 33)
    EXPECT_EQ(StrengthLabel(TypedBits("aB1!")), "26 bits");  // 4 * log2(95)
    EXPECT_EQ(StrengthLabel(TypedBits("a\xE9")), "14 bits"); // 2 * log2(26 + 128)
    EXPECT_EQ(StrengthLabel(TypedBits(std::string(79, 'x') + "Y1!\xE9")), "448 bits");
}

TEST(PasswordStrengthTest, AMasterPasswordBelow80BitsIsWeakAndSaysSo) {
    const MasterStrength weak = MasterPasswordStrength("password1");  // 9 * log2(36)
    EXPECT_EQ(weak.bits, 46u);
    EXPECT_TRUE(weak.weak);
    EXPECT_EQ(weak.text,
              "This password is weak: about 46 bits. A password of at least 80 bits resists guessing by fast "
              "computers; make it longer, or use more kinds of characters.");
    EXPECT_EQ(weak.line, "Weak: about 46 bits; 80 bits or more resist guessing.");
    EXPECT_TRUE(MasterPasswordStrength(std::string(17, 'q')).weak);   // 79.9 bits
    EXPECT_FALSE(MasterPasswordStrength(std::string(18, 'q')).weak);  // 84.6 bits

    const MasterStrength strong = MasterPasswordStrength("correct horse battery staple");
    EXPECT_EQ(strong.bits, 164u);  // 28 * log2(26 + 33)
    EXPECT_FALSE(strong.weak);
    EXPECT_EQ(strong.text, "Password strength: about 164 bits.");
    EXPECT_EQ(strong.line, strong.text);

    EXPECT_EQ(MasterPasswordStrength("").text, "");
    EXPECT_TRUE(MasterPasswordStrength("").weak);
}

TEST(PasswordStrengthTest, OnlyTheBytesThatFormTheKeyCount) {
    EXPECT_EQ(MasterPasswordStrength(std::string(56, 'a')).bits, MasterPasswordStrength(std::string(200, 'a')).bits);
    EXPECT_EQ(MasterPasswordStrength(std::string(56, 'a')).bits, 263u);  // 56 * log2(26)
}

}  // namespace
}  // namespace kv
