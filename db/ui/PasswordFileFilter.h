// The file dialogs' filter and options for password files.
#pragma once

#include <string>

#include "uikit/FileDialog.h"

namespace kv {

// "Kelvandor files (*.kv)|*.kv|All Files (*.*)|*.*||"
std::string PasswordFileFilter();

// Options of a file dialog for password files.
ui::FileDialogOptions PasswordFileDialog(const std::string& title, const std::string& folder,
                                         const std::string& name);

}  // namespace kv
