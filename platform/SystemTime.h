// A calendar date and time laid out exactly like the Win32 SYSTEMTIME: eight
// unsigned 16-bit words. The password file stores dates as these 16 raw bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;

    friend bool operator==(const SystemTime& a, const SystemTime& b) {
        return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDayOfWeek == b.wDayOfWeek &&
               a.wDay == b.wDay && a.wHour == b.wHour && a.wMinute == b.wMinute &&
               a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
    }
    friend bool operator!=(const SystemTime& a, const SystemTime& b) { return !(a == b); }
};

static_assert(sizeof(SystemTime) == 16, "SystemTime must match the 16-byte SYSTEMTIME");

// Year, month and day all non-zero: the date is set (shown, exported, compared).
inline bool IsDateSet(const SystemTime& t) { return t.wYear != 0 && t.wMonth != 0 && t.wDay != 0; }

// Whether the fields form a date-time that the system can convert to a
// point in time (the rules of SystemTimeToFileTime; day of week is ignored).
bool IsValidDateTime(const SystemTime& t);

// Orders two valid date-times chronologically (day of week ignored).
int CompareDateTimes(const SystemTime& a, const SystemTime& b);

// The date-time `seconds` later (earlier when negative), with its day of week;
// nothing when `t` is no valid date-time or the result lies outside the range
// that the system can convert.
std::optional<SystemTime> AddSeconds(const SystemTime& t, std::int64_t seconds);

// Reads a date as the portable locale writes it: month/day/year, with an
// optional time of day "h:mm[:ss]" after a space; the all-zero date when the
// text is empty or names no valid date-time.
SystemTime ParseShortDate(std::string_view text);

}  // namespace kv
