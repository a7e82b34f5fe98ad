// Making a password: a string of random characters from the checked
// character classes ("Secure"), or words of the built-in list with digits
// ("Simple"); either with a fixed text put in front, in the middle or at the
// end. Every random choice comes from the system's cryptographic generator.
#pragma once

#include <string>
#include <vector>

#include "generator/RandomSource.h"
#include "platform/SecretString.h"

namespace kv {

enum class PasswordType { Secure, Simple };
enum class LetterCase { Upper, Lower, Mixed };
enum class InsertPlace { None, Prefix, Middle, Suffix };
enum class WordPattern { SingleWord, WordNumber, WordWord, WordNumberWord };

// The top of the length control's range.
constexpr int kMaxSpinLength = 80;
// The longest Secure password: a typed length may go beyond the control's
// range, up to this bound against absurd numbers.
constexpr int kLongestTypedLength = 1024;

struct GeneratorOptions {
    PasswordType type = PasswordType::Secure;
    int length = 16;  // Secure only
    bool useLetters = true;
    bool useNumbers = false;
    bool useSpecial = false;
    std::string specialChars;
    LetterCase letterCase = LetterCase::Mixed;
    InsertPlace insertPlace = InsertPlace::None;
    std::string insertText;
    WordPattern words = WordPattern::SingleWord;  // Simple only
};

struct GeneratedPassword {
    enum class Outcome { Made, NoCharacterClass, RandomFailed };
    Outcome outcome = Outcome::Made;
    SecretString text;
    double bits = 0;  // the entropy of the way it was made
};

// Makes a password. A Secure password with no class checked is not made
// (NoCharacterClass); a checked class with nothing in it (an emptied special
// set) only draws nothing. When the random source fails nothing is made.
GeneratedPassword GeneratePassword(const GeneratorOptions& options, const std::vector<std::string>& words,
                                   RandomSource& source);

// The character classes a Secure password draws from, each equally likely
// at every position: the 52 letters, the 10 digits, the special set (when
// checked and not empty).
std::vector<std::string> CharacterPools(const GeneratorOptions& options);

// The length of a Secure password: the options' length, from 0 to 1024.
std::size_t SecureLength(const GeneratorOptions& options);

// The length text as a number: its leading decimal number (after blanks and
// a sign), 0 when there is none or it is negative, at most 1024.
int ParsePasswordLength(const std::string& text);

// Removes every double quote; true when there was one.
bool RemoveQuotes(std::string& text);

}  // namespace kv
