// The locale of Windows: the thread's short date format, the ANSI code page.
#include <windows.h>
#include <oleauto.h>

#include <cstring>

#include "platform/Locale.h"
#include "platform/WideText.h"

namespace kv {
namespace {

SYSTEMTIME ToWin32(const SystemTime& t) {
    SYSTEMTIME s{};
    static_assert(sizeof t == sizeof s, "SystemTime mirrors SYSTEMTIME");
    std::memcpy(&s, &t, sizeof s);
    return s;
}

class Win32Locale : public Locale {
public:
    std::string FormatShortDate(const SystemTime& date) const override {
        if (!IsDateSet(date)) return {};
        char format[80] = {};
        if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SSHORTDATE, format, sizeof format) == 0) {
            return {};
        }
        const SYSTEMTIME s = ToWin32(date);
        char text[128] = {};
        if (GetDateFormatA(GetThreadLocale(), 0, &s, format, text, sizeof text) == 0) return {};
        return text;
    }

    // As the system reads dates typed by the user: the user's order of day,
    // month and year, month names, an optional time.
    SystemTime ParseDateTime(std::string_view text) const override {
        // The system's declaration takes the text as writable.
        std::optional<WipedWide> wide = Widen(CP_ACP, 0, text);
        DATE date = 0;
        SYSTEMTIME s{};
        if (!wide || wide->empty() || FAILED(VarDateFromStr(wide->data(), LOCALE_USER_DEFAULT, 0, &date)) ||
            !VariantTimeToSystemTime(date, &s)) {
            return {};
        }
        SystemTime t;
        std::memcpy(static_cast<void*>(&t), &s, sizeof t);
        return IsValidDateTime(t) ? t : SystemTime{};
    }

    int CompareNoCase(std::string_view a, std::string_view b) const override {
        if (a.empty() || b.empty()) return a.size() == b.size() ? 0 : (a.empty() ? -1 : 1);
        const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                                          static_cast<int>(a.size()), b.data(),
                                          static_cast<int>(b.size()));
        return result == 0 ? 0 : result - CSTR_EQUAL;
    }

    SystemTime LocalNow() const override {
        SYSTEMTIME s{};
        GetLocalTime(&s);
        SystemTime t;
        static_assert(sizeof t == sizeof s, "SystemTime mirrors SYSTEMTIME");
        std::memcpy(static_cast<void*>(&t), &s, sizeof t);
        return t;
    }

    std::optional<SecretString> AnsiToUtf8(std::string_view ansi) const override {
        const std::optional<WipedWide> wide = Widen(CP_ACP, 0, ansi);
        if (!wide) return std::nullopt;
        return Narrow(CP_UTF8, std::wstring_view(wide->data(), wide->size()), false);
    }

    std::optional<SecretString> Utf8ToAnsi(std::string_view utf8) const override {
        const std::optional<WipedWide> wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
        if (!wide) return std::nullopt;
        return Narrow(CP_ACP, std::wstring_view(wide->data(), wide->size()), true);
    }
};

}  // namespace

const Locale& SystemLocale() {
    static const Win32Locale locale;
    return locale;
}

}  // namespace kv
