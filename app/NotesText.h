// The text that the tray's notes popup shows for a record's notes.
#pragma once

#include <string_view>

#include "platform/SecretString.h"

namespace kv {

// The notes' plain text cut to 512 characters, each line end (CR, LF or
// CR LF) as the CR LF that an edit control wants.
SecretString NotesPopupText(std::string_view notes);

}  // namespace kv
