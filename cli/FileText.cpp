#include "cli/FileText.h"

#include <optional>

#include "platform/Locale.h"

namespace kv {

SecretString Utf8Text(const Locale& locale, const std::string& ansi) {
    std::optional<SecretString> utf8 = locale.AnsiToUtf8(ansi);
    return utf8 ? std::move(*utf8) : SecretString(std::string_view(ansi));
}

}  // namespace kv
