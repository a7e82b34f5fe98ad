#include <gtest/gtest.h>

#include <optional>

#include "platform/SystemTime.h"

namespace kv {
namespace {

constexpr std::int64_t kDay = 86400;

TEST(SystemTimeTest, AddingDaysCrossesMonthsAndLeapDays) {
    const SystemTime start{2024, 1, 1, 15, 10, 30, 20, 500};
    // 2024 is a leap year: 90 days after 15 January is 14 April, a Sunday.
    EXPECT_EQ(AddSeconds(start, 90 * kDay), (SystemTime{2024, 4, 0, 14, 10, 30, 20, 500}));
    EXPECT_EQ(AddSeconds(start, 45 * kDay), (SystemTime{2024, 2, 4, 29, 10, 30, 20, 500}));
    EXPECT_EQ(AddSeconds(SystemTime{2023, 12, 0, 31, 23, 59, 59, 0}, 1), (SystemTime{2024, 1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(AddSeconds(SystemTime{2100, 2, 0, 28, 0, 0, 0, 0}, kDay), (SystemTime{2100, 3, 1, 1, 0, 0, 0, 0}));
}

TEST(SystemTimeTest, SubtractingAndDatesBefore1970) {
    EXPECT_EQ(AddSeconds(SystemTime{2024, 3, 0, 1, 0, 0, 0, 0}, -kDay), (SystemTime{2024, 2, 4, 29, 0, 0, 0, 0}));
    EXPECT_EQ(AddSeconds(SystemTime{1970, 1, 4, 1, 0, 0, 0, 0}, -1), (SystemTime{1969, 12, 3, 31, 23, 59, 59, 0}));
    EXPECT_EQ(AddSeconds(SystemTime{1700, 3, 1, 1, 12, 0, 0, 0}, 0), (SystemTime{1700, 3, 1, 1, 12, 0, 0, 0}));
}

TEST(SystemTimeTest, NothingOutsideTheConvertibleRange) {
    EXPECT_EQ(AddSeconds(SystemTime{}, kDay), std::nullopt);
    EXPECT_EQ(AddSeconds(SystemTime{2024, 2, 0, 30, 0, 0, 0, 0}, 0), std::nullopt);
    EXPECT_EQ(AddSeconds(SystemTime{1601, 1, 1, 1, 0, 0, 0, 0}, -1), std::nullopt);
    EXPECT_EQ(AddSeconds(SystemTime{30827, 12, 0, 31, 23, 59, 59, 0}, 1), std::nullopt);
    EXPECT_EQ(AddSeconds(SystemTime{2024, 1, 1, 15, 0, 0, 0, 0}, 4294967295LL * kDay), std::nullopt);
    EXPECT_EQ(AddSeconds(SystemTime{30827, 12, 0, 30, 0, 0, 0, 0}, kDay), (SystemTime{30827, 12, 5, 31, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace kv
