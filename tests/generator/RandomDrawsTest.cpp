// Uniform draws from a random source, and the system's source.
#include <gtest/gtest.h>

#include <array>

#include "generator/RandomSource.h"
#include "tests/generator/TestRandom.h"

namespace kv {
namespace {

using test::FailingRandom;
using test::ScriptedRandom;

TEST(RandomDrawsTest, ADrawIsTheValueModuloTheCount) {
    ScriptedRandom source{7, 7, 1000, 5};
    RandomDraws draws(source);
    EXPECT_EQ(draws.Below(10), 7u);
    EXPECT_EQ(draws.Below(4), 3u);
    EXPECT_EQ(draws.Below(1000), 0u);
    EXPECT_EQ(draws.Below(1), 0u);
    EXPECT_EQ(draws.Below(0), 0u);  // nothing to choose from: no draw taken
    EXPECT_FALSE(draws.failed());
}

TEST(RandomDrawsTest, ValuesThatWouldFavourLowResultsAreDrawnAgain) {
    // 2^32 = 3 * 1431655765 + 1: the top value would make 0 one draw more
    // likely than 1 and 2, so it is refused. For 10 the top 6 values are.
    ScriptedRandom source{0xFFFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFAu, 0xFFFFFFF9u, 0xFFFFFFFFu, 4};
    RandomDraws draws(source);
    EXPECT_EQ(draws.Below(3), 0xFFFFFFFEu % 3);
    EXPECT_EQ(draws.Below(10), 0xFFFFFFF9u % 10);
    EXPECT_EQ(draws.Below(2), 1u);  // a power of two refuses nothing
    EXPECT_EQ(draws.Below(3), 1u);
}

TEST(RandomDrawsTest, DrawsContinueAcrossRefills) {
    // The draws fetch 16 values at a time; the 17th comes from the next fetch.
    ScriptedRandom source{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    RandomDraws draws(source);
    for (std::uint32_t i = 0; i < 18; ++i) EXPECT_EQ(draws.Below(100), i);
}

TEST(RandomDrawsTest, AFailedSourceGivesZerosAndSaysSo) {
    FailingRandom source;
    RandomDraws draws(source);
    EXPECT_EQ(draws.Below(10), 0u);
    EXPECT_TRUE(draws.failed());
    EXPECT_FALSE(draws.Coin());
}

TEST(SystemRandomTest, FillsWithFreshBytes) {
    std::array<std::uint8_t, 32> first{};
    std::array<std::uint8_t, 32> second{};
    ASSERT_TRUE(SystemRandom().Fill(first.data(), first.size()));
    ASSERT_TRUE(SystemRandom().Fill(second.data(), second.size()));
    // Two equal fills, or an all-zero one, have a chance of 2^-256.
    EXPECT_NE(first, second);
    EXPECT_NE(first, (std::array<std::uint8_t, 32>{}));
}

}  // namespace
}  // namespace kv
