// Reads the text of an imported date column as the user's locale writes
// dates and times.
#pragma once

#include <string_view>

#include "platform/SystemTime.h"

namespace kv {

// The all-zero date when the text is empty or the locale cannot read it.
SystemTime ParseUserLocaleDate(std::string_view text);

}  // namespace kv
