// The system's cryptographic generator on POSIX systems (the native build).
#include <sys/random.h>

#include <cerrno>

#include "generator/RandomSource.h"

namespace kv {
namespace {

class PosixRandom : public RandomSource {
public:
    bool Fill(std::uint8_t* bytes, std::size_t size) override {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = getrandom(bytes + done, size - done, 0);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }
};

}  // namespace

RandomSource& SystemRandom() {
    static PosixRandom source;
    return source;
}

}  // namespace kv
