// Random sources for the generator's tests: one that hands out the 32-bit
// values it is given, and a seeded one whose draws are the same every run.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

#include "generator/RandomSource.h"

namespace kv::test {

// Gives the scripted values, each as the next draw (big-endian, as the draws
// read them); every draw after them is 0.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<std::uint32_t> values) {
        for (const std::uint32_t value : values) {
            for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }
    bool Fill(std::uint8_t* bytes, std::size_t size) override {
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = bytes_.empty() ? 0 : bytes_.front();
            if (!bytes_.empty()) bytes_.pop_front();
        }
        return true;
    }

private:
    std::deque<std::uint8_t> bytes_;
};

// A source that has stopped working.
class FailingRandom : public RandomSource {
public:
    bool Fill(std::uint8_t*, std::size_t) override { return false; }
};

// SplitMix64: fixed draws for a fixed seed, so that the statistical tests
// give the same counts every run.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    bool Fill(std::uint8_t* bytes, std::size_t size) override {
        for (std::size_t i = 0; i < size; ++i) {
            if (i % 8 == 0) {
                state_ += 0x9E3779B97F4A7C15ull;
                std::uint64_t z = state_;
                z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
                z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
                word_ = z ^ (z >> 31);
            }
            bytes[i] = static_cast<std::uint8_t>(word_ >> (8 * (i % 8)));
        }
        return true;
    }

private:
    std::uint64_t state_;
    std::uint64_t word_ = 0;
};

}  // namespace kv::test
