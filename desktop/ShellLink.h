// Shortcut files (shell links), written through the shell's link object.
// The caller initialises COM on its thread.
#pragma once

#include <string>

namespace kv {

struct ShellLinkSpec {
    std::string target;
    std::string arguments;
    std::string description;
    std::string iconPath;
    int iconIndex = 0;
};

// Saves the shortcut `file`, replacing one that is there; false when it
// could not be saved.
bool SaveShellLink(const std::string& file, const ShellLinkSpec& spec);

}  // namespace kv
