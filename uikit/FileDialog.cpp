#include "uikit/FileDialog.h"

#include <commdlg.h>

#include <vector>

namespace ui {
namespace {

std::optional<std::string> Run(HWND owner, const FileDialogOptions& options, DWORD flags, bool save) {
    std::string filter = options.filter;
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    filter.push_back('\0');
    std::vector<char> name(32768, '\0');
    options.initialName.copy(name.data(), name.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = options.initialFolder.empty() ? nullptr : options.initialFolder.c_str();
    ofn.lpstrTitle = options.title.c_str();
    ofn.lpstrDefExt = options.defaultExtension.empty() ? nullptr : options.defaultExtension.c_str();
    ofn.Flags = flags | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!chosen) return std::nullopt;
    return std::string(name.data());
}

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const FileDialogOptions& options) {
    return Run(owner, options, OFN_FILEMUSTEXIST, false);
}

std::optional<std::string> ChooseFileToSave(HWND owner, const FileDialogOptions& options, bool askToOverwrite) {
    return Run(owner, options, askToOverwrite ? OFN_OVERWRITEPROMPT : 0, true);
}

}  // namespace ui
