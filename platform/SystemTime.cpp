#include "platform/SystemTime.h"

#include <cstdint>
#include <string_view>

namespace kv {
namespace {

// Reads an unsigned number at `pos` and moves past it; -1 when there is none.
int ReadNumber(std::string_view text, std::size_t& pos) {
    int value = -1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 100000; ++pos) {
        value = (value < 0 ? 0 : value * 10) + (text[pos] - '0');
    }
    return value;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}


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

// The proleptic Gregorian date of a day counted from 1 January 1970 (the inverse of DaysFromCivil).
void CivilFromDays(std::int64_t days, SystemTime& t) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    t.wYear = static_cast<std::uint16_t>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
    t.wMonth = static_cast<std::uint16_t>(month);
    t.wDay = static_cast<std::uint16_t>(doy - (153 * mp + 2) / 5 + 1);
    // 1 January 1970 was a Thursday (4).
    t.wDayOfWeek = static_cast<std::uint16_t>((days % 7 + 11) % 7);
}

constexpr std::int64_t kMillisecondsPerDay = 86400000;

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

std::optional<SystemTime> AddSeconds(const SystemTime& t, std::int64_t seconds) {
    if (!IsValidDateTime(t)) return std::nullopt;
    // The first and the last moment that the system converts.
    const std::int64_t earliest = MillisecondsOf(SystemTime{1601, 1, 0, 1, 0, 0, 0, 0});
    const std::int64_t latest = MillisecondsOf(SystemTime{30827, 12, 0, 31, 23, 59, 59, 999});
    const std::int64_t start = MillisecondsOf(t);
    if (seconds < (earliest - start) / 1000 - 1 || seconds > (latest - start) / 1000 + 1) return std::nullopt;
    const std::int64_t total = start + seconds * 1000;
    if (total < earliest || total > latest) return std::nullopt;
    // Floor division, so that times before 1970 keep a non-negative time of day.
    std::int64_t days = total / kMillisecondsPerDay;
    std::int64_t ofDay = total % kMillisecondsPerDay;
    if (ofDay < 0) {
        ofDay += kMillisecondsPerDay;
        --days;
    }
    SystemTime result;
    CivilFromDays(days, result);
    result.wHour = static_cast<std::uint16_t>(ofDay / 3600000);
    result.wMinute = static_cast<std::uint16_t>(ofDay / 60000 % 60);
    result.wSecond = static_cast<std::uint16_t>(ofDay / 1000 % 60);
    result.wMilliseconds = static_cast<std::uint16_t>(ofDay % 1000);
    return result;
}

SystemTime ParseShortDate(std::string_view text) {
    std::size_t pos = 0;
    const int month = ReadNumber(text, pos);
    if (!Expect(text, pos, '/')) return {};
    const int day = ReadNumber(text, pos);
    if (!Expect(text, pos, '/')) return {};
    const int year = ReadNumber(text, pos);
    int hour = 0, minute = 0, second = 0;
    if (Expect(text, pos, ' ')) {
        hour = ReadNumber(text, pos);
        if (!Expect(text, pos, ':')) return {};
        minute = ReadNumber(text, pos);
        if (Expect(text, pos, ':')) second = ReadNumber(text, pos);
    }
    if (pos != text.size() || month < 1 || day < 1 || year < 1601 || year > 30827 || hour < 0 ||
        minute < 0 || second < 0) {
        return {};
    }
    SystemTime date;
    date.wYear = static_cast<std::uint16_t>(year);
    date.wMonth = static_cast<std::uint16_t>(month);
    date.wDay = static_cast<std::uint16_t>(day);
    date.wHour = static_cast<std::uint16_t>(hour);
    date.wMinute = static_cast<std::uint16_t>(minute);
    date.wSecond = static_cast<std::uint16_t>(second);
    return IsValidDateTime(date) ? date : SystemTime{};
}

}  // namespace kv
