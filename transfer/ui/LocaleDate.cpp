#include "transfer/ui/LocaleDate.h"

#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>

namespace kv {

SystemTime ParseUserLocaleDate(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    DATE date = 0;
    SYSTEMTIME parsed{};
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &date)) ||
        VariantTimeToSystemTime(date, &parsed) == 0) {
        return {};
    }
    SystemTime result;
    static_assert(sizeof result == sizeof parsed, "the same sixteen bytes");
    std::memcpy(static_cast<void*>(&result), &parsed, sizeof result);
    return result;
}

}  // namespace kv
