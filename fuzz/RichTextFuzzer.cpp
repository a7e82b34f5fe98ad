// libFuzzer target: the plain text of a notes field. Text that is not rich
// stays as it is; the plain text of rich text is never longer than the
// document, and each of its line feeds ends a CR LF pair.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/RichText.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kv::SecretString plain = kv::PlainTextOf(text);
    const std::string_view result = plain.view();
    if (!kv::IsRichText(text)) {
        kv::fuzz::Check(result == text, "a text that is not rich is its own plain text");
        return 0;
    }
    kv::fuzz::Check(result.size() <= text.size(), "the plain text is not longer than the document");
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i] == '\n') kv::fuzz::Check(i > 0 && result[i - 1] == '\r', "a line feed follows a carriage return");
    }
    return 0;
}
