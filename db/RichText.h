// Plain text of the notes field, which may hold rich text (RTF).
#pragma once

#include <string>
#include <string_view>

#include "platform/SecretString.h"

namespace kv {

// Whether the text is an RTF document ("{\rtf" at its start).
bool IsRichText(std::string_view text);

// The text a reader sees: the text itself when it is not rich text, else the
// document's characters with paragraph breaks as CR LF (the mark that ends the
// last paragraph is not part of the text, as in a rich edit control). Notes
// hold secrets too: the text wipes itself and leaves no copy behind.
SecretString PlainTextOf(std::string_view text);

}  // namespace kv
