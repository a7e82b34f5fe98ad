// Where the generator's randomness comes from: the system's cryptographic
// generator in the program, a scripted source in tests. Draws from it are
// uniform, without the bias of taking a remainder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Fills `size` bytes with random bytes; false when the source failed.
    virtual bool Fill(std::uint8_t* bytes, std::size_t size) = 0;
};

// The system's cryptographic generator (BCryptGenRandom on Windows,
// getrandom elsewhere).
RandomSource& SystemRandom();

// Uniform draws from a source, a few bytes fetched at a time. Once the
// source fails, every draw gives 0 and failed() tells so: the caller then
// throws away what it made.
class RandomDraws {
public:
    explicit RandomDraws(RandomSource& source) : source_(source) {}
    ~RandomDraws();
    RandomDraws(const RandomDraws&) = delete;
    RandomDraws& operator=(const RandomDraws&) = delete;

    // A number from 0 to n - 1, each equally likely; 0 when n is 0.
    std::uint32_t Below(std::uint32_t n);
    // A fair coin.
    bool Coin() { return Below(2) == 1; }

    bool failed() const { return failed_; }

private:
    std::uint32_t Next32();

    RandomSource& source_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t used_ = buffer_.size();
    bool failed_ = false;
};

}  // namespace kv
