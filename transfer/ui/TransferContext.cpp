#include "transfer/ui/TransferContext.h"

#include "db/FileMessages.h"
#include "desktop/MessageBox.h"
#include "platform/FileSystem.h"

namespace kv {

std::optional<std::string> ChooseWithFileDialog(HWND owner, const ui::FileDialogOptions& options, FileChoice choice) {
    return choice == FileChoice::Save ? ui::ChooseFileToSave(owner, options, true) : ui::ChooseFileToOpen(owner, options);
}

ui::FileDialogOptions TransferFileDialog(const TransferContext& context, const std::string& title,
                                         const std::string& filter, const std::string& extension) {
    ui::FileDialogOptions dialog;
    dialog.title = title;
    dialog.filter = filter;
    dialog.initialFolder = context.programFolder;
    dialog.defaultExtension = extension;
    return dialog;
}

std::string TransferErrorMessage(const std::string& what, const std::string& systemText, const std::string& fileName) {
    return "Error: " + what + " " + OneLineSystemText(systemText) + " File: " + fileName;
}

std::optional<std::string> ReadImportFile(TransferContext& context, const std::string& path, const char* openFailed) {
    FileContents bytes;
    if (context.files.ReadAll(path, bytes) != ReadResult::Read) {
        ShowMessage(TransferErrorMessage(openFailed, context.files.LastErrorText(), path));
        return std::nullopt;
    }
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace kv
