#include "generator/PasswordGenerator.h"

#include <algorithm>

#include "generator/PasswordStrength.h"

namespace kv {
namespace {

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr char kDigits[] = "0123456789";

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
char ToUpper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
char ToLower(char c) { return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

std::uint32_t Count(std::size_t n) { return static_cast<std::uint32_t>(n); }

// Room for the longest password the options can make, before it is cut to
// its length: reserved up front, the text never moves to a larger buffer and
// leaves no copy of itself behind in freed memory.
std::size_t Capacity(const GeneratorOptions& options, const std::vector<std::string>& words) {
    if (options.type == PasswordType::Secure) return SecureLength(options) + options.insertText.size();
    std::size_t longest = 0;
    for (const std::string& word : words) longest = std::max(longest, word.size());
    return 2 * longest + 4 + options.insertText.size();  // two words, four digits
}

void AppendSecure(WipedString& text, const GeneratorOptions& options, RandomDraws& draws) {
    const std::vector<std::string> pools = CharacterPools(options);
    if (pools.empty()) return;
    for (std::size_t i = 0; i < SecureLength(options); ++i) {
        const std::string& pool = pools[draws.Below(Count(pools.size()))];
        text += pool[draws.Below(Count(pool.size()))];
    }
}

// Appends a word of the list, every word equally likely, with its first letter capitalised.
void AppendWord(WipedString& text, const std::vector<std::string>& words, RandomDraws& draws) {
    const std::size_t start = text.size();
    text += words[draws.Below(Count(words.size()))];
    if (text.size() > start) text[start] = ToUpper(text[start]);
}

void AppendSimple(WipedString& text, const GeneratorOptions& options, const std::vector<std::string>& words,
                  RandomDraws& draws) {
    if (words.empty()) return;
    AppendWord(text, words, draws);
    if (options.words == WordPattern::WordNumber || options.words == WordPattern::WordNumberWord) {
        const std::uint32_t digits = draws.Below(4) + 1;
        for (std::uint32_t i = 0; i < digits; ++i) text += kDigits[draws.Below(10)];
    }
    if (options.insertPlace == InsertPlace::Middle) text += options.insertText;
    if (options.words == WordPattern::WordWord || options.words == WordPattern::WordNumberWord) {
        AppendWord(text, words, draws);
    }
}

void ApplyCase(WipedString& text, const GeneratorOptions& options, RandomDraws& draws) {
    for (char& c : text) {
        switch (options.letterCase) {
            case LetterCase::Upper: c = ToUpper(c); break;
            case LetterCase::Lower: c = ToLower(c); break;
            case LetterCase::Mixed:
                // Each letter of a Secure password gets its case from a fair
                // draw: letters come out half upper, half lower case.
                if (options.type == PasswordType::Secure && (IsLower(c) || IsUpper(c))) {
                    c = draws.Coin() ? ToUpper(c) : ToLower(c);
                }
                break;
        }
    }
}

// The text without its last `insert` characters (all of it when shorter).
void CutForInsert(WipedString& text, const std::string& insert) {
    text.resize(text.size() > insert.size() ? text.size() - insert.size() : 0);
}

void Insert(WipedString& text, const GeneratorOptions& options) {
    const std::string& insert = options.insertText;
    const bool secure = options.type == PasswordType::Secure;
    if (insert.empty()) return;
    switch (options.insertPlace) {
        case InsertPlace::None:
            return;
        case InsertPlace::Prefix:
            text.insert(0, insert);
            return;
        case InsertPlace::Suffix:
            if (secure) CutForInsert(text, insert);
            text += insert;
            return;
        case InsertPlace::Middle:
            // A Simple password has it between its parts already.
            if (!secure) return;
            CutForInsert(text, insert);
            text.insert(text.size() / 2, insert);
            return;
    }
}

}  // namespace

std::vector<std::string> CharacterPools(const GeneratorOptions& options) {
    std::vector<std::string> pools;
    if (options.useLetters) pools.emplace_back(kLetters);
    if (options.useNumbers) pools.emplace_back(kDigits);
    if (options.useSpecial && !options.specialChars.empty()) pools.push_back(options.specialChars);
    return pools;
}

GeneratedPassword GeneratePassword(const GeneratorOptions& options, const std::vector<std::string>& words,
                                   RandomSource& source) {
    GeneratedPassword made;
    const bool secure = options.type == PasswordType::Secure;
    if (secure && !options.useLetters && !options.useNumbers && !options.useSpecial) {
        made.outcome = GeneratedPassword::Outcome::NoCharacterClass;
        return made;
    }
    RandomDraws draws(source);
    made.text = SecretString::WithCapacity(Capacity(options, words));
    WipedString& text = made.text.buffer();
    if (secure) {
        AppendSecure(text, options, draws);
    } else {
        AppendSimple(text, options, words, draws);
    }
    ApplyCase(text, options, draws);
    Insert(text, options);
    if (secure) made.text.Truncate(SecureLength(options));
    if (draws.failed()) {
        made.outcome = GeneratedPassword::Outcome::RandomFailed;
        made.text = SecretString();
        return made;
    }
    made.bits = GeneratedBits(options, words.size());
    return made;
}

std::size_t SecureLength(const GeneratorOptions& options) {
    return static_cast<std::size_t>(std::clamp(options.length, 0, kLongestTypedLength));
}

int ParsePasswordLength(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t\r\n");
    if (at == std::string::npos) return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') ++at;
    int length = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        length = std::min(length * 10 + (text[at] - '0'), kLongestTypedLength);
    }
    return negative ? 0 : length;
}

bool RemoveQuotes(std::string& text) {
    const std::size_t before = text.size();
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text.size() != before;
}

}  // namespace kv
