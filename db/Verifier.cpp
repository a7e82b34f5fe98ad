#include "db/Verifier.h"

#include <algorithm>
#include <cstring>

#include "db/Blowfish.h"
#include "platform/SecureWipe.h"

namespace kv {

Verifier MakeVerifier(std::string_view password) {
    Verifier verifier{};
    std::memcpy(verifier.data(), password.data(), std::min(password.size(), kVerifierSize));
    CBlowfish cipher(password);
    cipher.EncryptBuffer(verifier.data(), verifier.size());
    return verifier;
}

bool VerifierMatches(const Verifier& verifier, std::string_view password) {
    Verifier plain = verifier;
    CBlowfish cipher(password);
    cipher.DecryptBuffer(plain.data(), plain.size());
    const auto* text = reinterpret_cast<const char*>(plain.data());
    const std::size_t length = strnlen(text, plain.size());
    const bool matches = length == password.size() && std::memcmp(text, password.data(), length) == 0;
    SecureWipe(plain.data(), plain.size());
    return matches;
}

bool IsBlankVerifier(const Verifier& verifier) {
    for (const unsigned char byte : verifier) {
        if (byte != 0) return false;
    }
    return true;
}

PasswordAttempts::Result PasswordAttempts::Check(std::string_view typed) {
    if (remaining_ > 0 && VerifierMatches(verifier_, typed)) return Result::Accepted;
    if (remaining_ > 0) --remaining_;
    return remaining_ > 0 ? Result::TryAgain : Result::NoAttemptsLeft;
}

}  // namespace kv
