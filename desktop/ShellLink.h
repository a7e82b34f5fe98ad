// Shortcut files (shell links): written, read back and deleted through the
// shell's link object. The caller initialises COM on its thread.
#pragma once

#include <optional>
#include <string>

namespace kv {

struct ShellLinkSpec {
    std::string target;
    std::string arguments;
    std::string description;
    std::string iconPath;
    int iconIndex = 0;

    bool operator==(const ShellLinkSpec& other) const {
        return target == other.target && arguments == other.arguments && description == other.description &&
               iconPath == other.iconPath && iconIndex == other.iconIndex;
    }
};

// Saves the shortcut `file`, replacing one that is there; false when it
// could not be saved.
bool SaveShellLink(const std::string& file, const ShellLinkSpec& spec);
// The shortcut in `file`; nothing when there is none or it cannot be read.
std::optional<ShellLinkSpec> ReadShellLink(const std::string& file);

}  // namespace kv
