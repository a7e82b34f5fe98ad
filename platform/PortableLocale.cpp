// The locale of the native build: Windows-1252 text, United States short dates.
#include <ctime>

#include "platform/Locale.h"
#include "platform/Windows1252.h"

namespace kv {
namespace {

class PortableLocale : public Locale {
public:
    std::string FormatShortDate(const SystemTime& date) const override {
        if (!IsDateSet(date)) return {};
        SystemTime midnight{};
        midnight.wYear = date.wYear;
        midnight.wMonth = date.wMonth;
        midnight.wDay = date.wDay;
        if (!IsValidDateTime(midnight)) return {};
        return std::to_string(date.wMonth) + "/" + std::to_string(date.wDay) + "/" +
               std::to_string(date.wYear);
    }

    SystemTime ParseDateTime(std::string_view text) const override { return ParseShortDate(text); }

    int CompareNoCase(std::string_view a, std::string_view b) const override {
        const std::size_t common = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < common; ++i) {
            const unsigned char x = windows1252::ToUpper(static_cast<unsigned char>(a[i]));
            const unsigned char y = windows1252::ToUpper(static_cast<unsigned char>(b[i]));
            if (x != y) return x < y ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }

    SystemTime LocalNow() const override {
        timespec now{};
        timespec_get(&now, TIME_UTC);
        tm local{};
        localtime_r(&now.tv_sec, &local);
        SystemTime t;
        t.wYear = static_cast<std::uint16_t>(local.tm_year + 1900);
        t.wMonth = static_cast<std::uint16_t>(local.tm_mon + 1);
        t.wDayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
        t.wDay = static_cast<std::uint16_t>(local.tm_mday);
        t.wHour = static_cast<std::uint16_t>(local.tm_hour);
        t.wMinute = static_cast<std::uint16_t>(local.tm_min);
        t.wSecond = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
        t.wMilliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1000000);
        return t;
    }

    std::optional<SecretString> AnsiToUtf8(std::string_view ansi) const override {
        return windows1252::ToUtf8(ansi);
    }

    std::optional<SecretString> Utf8ToAnsi(std::string_view utf8) const override {
        return windows1252::FromUtf8(utf8);
    }
};

}  // namespace

const Locale& SystemLocale() {
    static const PortableLocale locale;
    return locale;
}

}  // namespace kv
