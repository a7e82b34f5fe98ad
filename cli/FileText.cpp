#include "cli/FileText.h"

#include <optional>

#include "platform/Locale.h"

namespace kv {

SecretString Utf8Text(const Locale& locale, const std::string& ansi) {
    std::optional<std::string> utf8 = locale.AnsiToUtf8(ansi);
    return utf8 ? SecretString(std::move(*utf8)) : SecretString(std::string_view(ansi));
}

}  // namespace kv
