// What the portable code asks of the user's locale and clock.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/SecretString.h"
#include "platform/SystemTime.h"

namespace kv {

class Locale {
public:
    virtual ~Locale() = default;

    // The date in the user's short date format; empty text for a date that is
    // not set or cannot be shown.
    virtual std::string FormatShortDate(const SystemTime& date) const = 0;

    // The date and time a text names in the user's format; the all-zero date
    // when it is empty or names none.
    virtual SystemTime ParseDateTime(std::string_view text) const = 0;

    // Compares two texts of the ANSI code page without regard to case:
    // negative, zero or positive.
    virtual int CompareNoCase(std::string_view a, std::string_view b) const = 0;

    // The present local date and time.
    virtual SystemTime LocalNow() const = 0;

    // Converts between the ANSI code page and UTF-8; nothing when the text
    // cannot be represented in the target encoding. The texts converted are
    // mostly the records' secrets, so the result and every buffer used on the
    // way are wiped when let go.
    virtual std::optional<SecretString> AnsiToUtf8(std::string_view ansi) const = 0;
    virtual std::optional<SecretString> Utf8ToAnsi(std::string_view utf8) const = 0;
};

// The locale of the platform the program runs on.
const Locale& SystemLocale();

}  // namespace kv
