// The system's cryptographic generator on Windows.
#include <windows.h>
#include <bcrypt.h>

#include <climits>

#include "generator/RandomSource.h"

namespace kv {
namespace {

class Win32Random : public RandomSource {
public:
    bool Fill(std::uint8_t* bytes, std::size_t size) override {
        if (static_cast<std::uint64_t>(size) > ULONG_MAX) return false;
        return BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
    }
};

}  // namespace

RandomSource& SystemRandom() {
    static Win32Random source;
    return source;
}

}  // namespace kv
