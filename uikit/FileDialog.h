// The system's dialogs for choosing a file to open or a name to save under.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

struct FileDialogOptions {
    std::string title;
    // "Description|*.ext|...||", as the parts are separated in resource texts.
    std::string filter;
    std::string initialFolder;
    std::string initialName;
    std::string defaultExtension;  // without the dot
};

// The chosen existing file, or nothing when cancelled.
std::optional<std::string> ChooseFileToOpen(HWND owner, const FileDialogOptions& options);

// The chosen name (the system asks before an existing file is overwritten
// when `askToOverwrite`), or nothing when cancelled.
std::optional<std::string> ChooseFileToSave(HWND owner, const FileDialogOptions& options, bool askToOverwrite);

}  // namespace ui
