// The password verifier of a protected file and the check of a typed password.
#pragma once

#include <array>
#include <string_view>

namespace kv {

constexpr std::size_t kVerifierSize = 80;
using Verifier = std::array<unsigned char, kVerifierSize>;

// The password zero-padded (or cut) to 80 bytes, encrypted under itself.
Verifier MakeVerifier(std::string_view password);

// Whether the verifier decrypts, under `password`, to exactly `password`.
bool VerifierMatches(const Verifier& verifier, std::string_view password);

// An all-zero verifier accepts any password.
bool IsBlankVerifier(const Verifier& verifier);

// The attempts a user has to type the right password into one prompt.
class PasswordAttempts {
public:
    enum class Result { Accepted, TryAgain, NoAttemptsLeft };

    static constexpr int kAttempts = 3;

    explicit PasswordAttempts(const Verifier& verifier) : verifier_(verifier) {}

    Result Check(std::string_view typed);
    int Remaining() const { return remaining_; }

private:
    Verifier verifier_;
    int remaining_ = kAttempts;
};

}  // namespace kv
