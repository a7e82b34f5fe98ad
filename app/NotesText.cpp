#include "app/NotesText.h"

#include "db/RichText.h"

namespace kv {

SecretString NotesPopupText(std::string_view notes) {
    constexpr std::size_t kShown = 512;
    SecretString plain = PlainTextOf(notes);
    plain.Truncate(kShown);
    const std::string_view text = plain.view();
    SecretString shown = SecretString::WithCapacity(2 * text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            shown.Append("\r\n");
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            shown.Append(text[i]);
        }
    }
    return shown;
}

}  // namespace kv
