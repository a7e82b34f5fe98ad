#include "db/ui/PasswordFileFilter.h"

namespace kv {

std::string PasswordFileFilter() {
    return std::string("Kelvandor files (*.kv)|*.kv|") + "All Files (*.*)|*.*||";
}

ui::FileDialogOptions PasswordFileDialog(const std::string& title, const std::string& folder,
                                         const std::string& name) {
    ui::FileDialogOptions options;
    options.title = title;
    options.filter = PasswordFileFilter();
    options.initialFolder = folder;
    options.initialName = name;
    options.defaultExtension = "kv";
    return options;
}

}  // namespace kv
