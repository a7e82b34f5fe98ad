// Names of the temporary files a save writes beside the file it replaces.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

#include "platform/FileSystem.h"

namespace kv {

std::string TemporaryNameBeside(const std::string& target) {
    // Hard to guess, and different from call to call even where the random
    // device is weak; the exclusive creation guarantees uniqueness anyway.
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = std::random_device{}() ^
        (static_cast<std::uint64_t>(std::random_device{}()) << 32);
    std::uint64_t mixed = seed + counter.fetch_add(1) * 0x9E3779B97F4A7C15ull +
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    mixed ^= mixed >> 31;
    mixed *= 0xBF58476D1CE4E5B9ull;
    mixed ^= mixed >> 29;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(mixed));
    return target + suffix;
}

}  // namespace kv
