// A locale with a fixed clock and "M/d/yyyy" dates, the same on every platform.
#pragma once

#include "platform/Locale.h"
#include "platform/Windows1252.h"

namespace kv::test {

class FixedLocale : public Locale {
public:
    SystemTime now{2026, 12, 1, 7, 12, 0, 0, 0};

    std::string FormatShortDate(const SystemTime& date) const override {
        if (!IsDateSet(date)) return {};
        return std::to_string(date.wMonth) + "/" + std::to_string(date.wDay) + "/" +
               std::to_string(date.wYear);
    }
    SystemTime ParseDateTime(std::string_view text) const override { return ParseShortDate(text); }

    int CompareNoCase(std::string_view a, std::string_view b) const override {
        return SystemLocale().CompareNoCase(a, b);
    }
    SystemTime LocalNow() const override { return now; }
    std::optional<SecretString> AnsiToUtf8(std::string_view ansi) const override {
        return windows1252::ToUtf8(ansi);
    }
    std::optional<SecretString> Utf8ToAnsi(std::string_view utf8) const override {
        return windows1252::FromUtf8(utf8);
    }
};

}  // namespace kv::test
