#include "generator/PasswordStrength.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kv {
namespace {

constexpr double kMaxShownBits = 448;

// The entropy of one random position of a Secure password: the class is
// chosen first, each equally likely, then a character of it; the letter
// case rule applies afterwards. Classes may share characters (a special set
// may hold letters or digits), so the bits come from the resulting
// probability of every byte.
double PositionBits(const GeneratorOptions& options) {
    const std::vector<std::string> pools = CharacterPools(options);
    if (pools.empty()) return 0;
    std::array<double, 256> p{};
    for (const std::string& pool : pools) {
        for (const char c : pool) p[static_cast<unsigned char>(c)] += 1.0 / static_cast<double>(pools.size() * pool.size());
    }
    for (int lower = 'a'; lower <= 'z'; ++lower) {
        double& small = p[static_cast<std::size_t>(lower)];
        double& capital = p[static_cast<std::size_t>(lower - 'a' + 'A')];
        switch (options.letterCase) {
            case LetterCase::Upper: capital += small; small = 0; break;
            case LetterCase::Lower: small += capital; capital = 0; break;
            case LetterCase::Mixed: small = capital = (small + capital) / 2; break;
        }
    }
    double bits = 0;
    for (const double q : p) {
        if (q > 0) bits -= q * std::log2(q);
    }
    return bits;
}

// Random characters left in a Secure password once the inserted text has taken its place.
std::size_t RandomPositions(const GeneratorOptions& options) {
    const std::size_t length = SecureLength(options);
    if (options.insertPlace == InsertPlace::None || options.insertText.empty()) return length;
    return length > options.insertText.size() ? length - options.insertText.size() : 0;
}

// The digits of a Simple password: 1 to 4 of them, each count equally likely.
double DigitBits() {
    double bits = 0;
    for (int count = 1; count <= 4; ++count) bits += (2 + count * std::log2(10.0)) / 4;
    return bits;
}

}  // namespace

double GeneratedBits(const GeneratorOptions& options, std::size_t wordCount) {
    if (options.type == PasswordType::Secure) {
        return static_cast<double>(RandomPositions(options)) * PositionBits(options);
    }
    if (wordCount == 0) return 0;
    const bool twoWords = options.words == WordPattern::WordWord || options.words == WordPattern::WordNumberWord;
    const bool digits = options.words == WordPattern::WordNumber || options.words == WordPattern::WordNumberWord;
    return (twoWords ? 2 : 1) * std::log2(static_cast<double>(wordCount)) + (digits ? DigitBits() : 0);
}

double TypedBits(std::string_view text) {
    bool lower = false, upper = false, digit = false, printable = false, other = false;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 'a' && u <= 'z') {
            lower = true;
        } else if (u >= 'A' && u <= 'Z') {
            upper = true;
        } else if (u >= '0' && u <= '9') {
            digit = true;
        } else if (u >= 32 && u < 127) {
            printable = true;
        } else {
            other = true;
        }
    }
    const int pool = (lower ? 26 : 0) + (upper ? 26 : 0) + (digit ? 10 : 0) + (printable ? 33 : 0) + (other ? 128 : 0);
    return pool == 0 ? 0 : static_cast<double>(text.size()) * std::log2(static_cast<double>(pool));
}

std::string StrengthLabel(double bits) {
    // A hair of tolerance, so that a whole number computed with rounding error is not shown one lower.
    const double shown = std::floor(std::min(bits, kMaxShownBits) + 1e-9);
    return std::to_string(static_cast<unsigned>(shown > 0 ? shown : 0)) + " bits";
}

MasterStrength MasterPasswordStrength(std::string_view password) {
    // Only the first 56 bytes key the cipher: what follows adds nothing.
    constexpr std::size_t kKeyBytes = 56;
    MasterStrength strength;
    const double shown = std::floor(TypedBits(password.substr(0, kKeyBytes)) + 1e-9);
    strength.bits = static_cast<unsigned>(shown);
    strength.weak = strength.bits < kStrongMasterBits;
    const std::string bits = std::to_string(strength.bits) + " bits";
    if (password.empty()) return strength;
    strength.text = strength.weak
                        ? "This password is weak: about " + bits + ". A password of at least " +
                              std::to_string(kStrongMasterBits) +
                              " bits resists guessing by fast computers; make it longer, or use more kinds of "
                              "characters."
                        : "Password strength: about " + bits + ".";
    strength.line = strength.weak ? "Weak: about " + bits + "; " + std::to_string(kStrongMasterBits) +
                                        " bits or more resist guessing."
                                  : strength.text;
    return strength;
}

}  // namespace kv
