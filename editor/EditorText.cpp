#include "editor/EditorText.h"

#include "db/Database.h"

namespace kv {

std::string EditorTitle(const std::string& filePath) {
    return (filePath.empty() ? std::string("No file selected") : FileNameOf(filePath)) + " - Kelvandor";
}

}  // namespace kv
