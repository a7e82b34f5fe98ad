// The texts the editor shows, worked out from the database.
#pragma once

#include <string>

namespace kv {

// "%s - %s" with the open file's name (or "No file selected") and "Kelvandor".
std::string EditorTitle(const std::string& filePath);

}  // namespace kv
