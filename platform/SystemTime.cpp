#include "platform/SystemTime.h"

#include <cstdint>

namespace kv {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 January 1970 of a proleptic Gregorian date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t MillisecondsOf(const SystemTime& t) {
    const std::int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay);
    return ((days * 24 + t.wHour) * 60 + t.wMinute) * 60000 + t.wSecond * 1000 + t.wMilliseconds;
}

}  // namespace

bool IsValidDateTime(const SystemTime& t) {
    if (t.wYear < 1601 || t.wYear > 30827) return false;
    if (t.wMonth < 1 || t.wMonth > 12) return false;
    if (t.wDay < 1 || t.wDay > DaysInMonth(t.wYear, t.wMonth)) return false;
    return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

int CompareDateTimes(const SystemTime& a, const SystemTime& b) {
    const std::int64_t x = MillisecondsOf(a);
    const std::int64_t y = MillisecondsOf(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace kv
