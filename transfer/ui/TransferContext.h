// What the pages of the Import/Export sheet work with: the database, the
// current column names, the file system and locale, where the file dialogs
// start, how a file is chosen, and whom to tell of an import.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "transfer/ColumnNames.h"
#include "uikit/FileDialog.h"

namespace kv {

class FileSystem;
class Locale;

enum class FileChoice { Open, Save };

// The file chosen for `options`, or nothing when cancelled.
using FileChooser =
    std::function<std::optional<std::string>(HWND owner, const ui::FileDialogOptions& options, FileChoice choice)>;

// The system's file dialogs; a save asks before it overwrites.
std::optional<std::string> ChooseWithFileDialog(HWND owner, const ui::FileDialogOptions& options, FileChoice choice);

struct TransferContext {
    PasswordDatabase& db;
    FieldNames names;
    FileSystem& files;
    const Locale& locale;
    std::string programFolder;
    FileChooser choose = ChooseWithFileDialog;
    // Called after an import changed the database, with its label and the
    // folders as they stood before (an undo level).
    std::function<void(const std::string& label, const std::vector<Folder>& before)> imported;
};

// A file dialog of the sheet's pages, starting in the program's folder.
ui::FileDialogOptions TransferFileDialog(const TransferContext& context, const std::string& title,
                                         const std::string& filter, const std::string& extension);

// "Error: %s %s File: %s": what failed, the system's text on one line and the file.
std::string TransferErrorMessage(const std::string& what, const std::string& systemText, const std::string& fileName);

// Reads a whole file for an import; on failure shows "Error: `openFailed`
// ..." and gives nothing.
std::optional<std::string> ReadImportFile(TransferContext& context, const std::string& path, const char* openFailed);

}  // namespace kv
