// How strong a password is, in bits: for a generated password the entropy of
// the way it was made, for a typed or edited one an estimate from the
// character classes it uses and its length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "generator/PasswordGenerator.h"

namespace kv {

// The entropy of a password that GeneratePassword makes with these options
// from a list of `wordCount` words. Fixed inserted text adds nothing.
double GeneratedBits(const GeneratorOptions& options, std::size_t wordCount);

// An estimate for a typed password: its length times log2 of the number of
// characters in the classes it uses (26 lower-case letters, 26 upper-case
// letters, 10 digits, 33 other printable characters and the space, 128 for
// any other byte).
double TypedBits(std::string_view text);

// The label of the strength: "%u bits", the bits rounded down, at most 448.
std::string StrengthLabel(double bits);

// A master password below this many bits can be found by trying keys.
constexpr unsigned kStrongMasterBits = 80;

// The estimated strength of a master password, by the rule for a typed
// password over the part that forms the key (its first 56 bytes).
struct MasterStrength {
    unsigned bits = 0;
    bool weak = true;
    std::string text;  // the sentence that tells the user; empty for no password
    std::string line;  // the same, short enough for one line of a dialog
};
MasterStrength MasterPasswordStrength(std::string_view password);

}  // namespace kv
