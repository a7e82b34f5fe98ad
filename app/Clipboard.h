// The clipboard routine of the program: text put on the clipboard, kept out
// of clipboard history, cloud clipboard and clipboard monitors, and read back.
#pragma once

#include <optional>
#include <string>

namespace kv {

// Puts the text on the clipboard as CF_TEXT; when the clipboard cannot be
// opened, says "Unable to copy text to the clipboard" and returns false.
bool CopyToClipboard(const std::string& text);

// The clipboard's text (CF_TEXT), or nothing.
std::optional<std::string> ClipboardText();

}  // namespace kv
