#include "db/NewFileRules.h"

#include <algorithm>
#include <cctype>

#include "platform/FileSystem.h"

namespace kv {

const char kForbiddenFileNameMessage[] =
    "\nPlease do not use any of the following characters\nin the filename:\n\n                    "
    "/ \\ : * ? \" < > | ";

bool SelectPasswordOkEnabled(bool protect, std::string_view password, std::string_view confirmation,
                             const std::string& fileName) {
    if (protect) return !password.empty() && password == confirmation;
    return !fileName.empty();
}

CheckedFileName CheckNewFileName(const std::string& typed, const std::string& programFolder) {
    CheckedFileName checked;
    if (typed.empty()) {
        checked.problem = FileNameProblem::Empty;
        return checked;
    }
    std::string name = typed;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.find(".kv") == std::string::npos) name += ".kv";
    const std::size_t slash = name.rfind('\\');
    const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
    if (last.find_first_of("/\\:*?\"<>|") != std::string::npos) {
        checked.problem = FileNameProblem::ForbiddenCharacter;
        return checked;
    }
    if (name.find_first_of("\\/") == std::string::npos) name = programFolder + name;
    checked.path = name;
    return checked;
}

std::optional<SelectPasswordResult> AcceptSelectPassword(const SelectPasswordInput& input,
                                                         const std::string& programFolder, FileSystem& files,
                                                         FileFlowUi& ui) {
    if (input.protect && (input.password.empty() || input.password != input.confirmation)) {
        ui.ShowMessage("The passwords do not match.");
        return std::nullopt;
    }
    const CheckedFileName name = CheckNewFileName(input.fileName, programFolder);
    if (name.problem == FileNameProblem::Empty) {
        ui.ShowMessage("You must enter a filename.");
        return std::nullopt;
    }
    if (name.problem == FileNameProblem::ForbiddenCharacter) {
        ui.ShowWarning(kForbiddenFileNameMessage);
        return std::nullopt;
    }
    if (!input.changeMode && !input.openExisting && files.Exists(name.path) &&
        ui.Ask("The " + name.path + " file already exists.\nDo you wish to overwrite it?", false) != Answer::Yes) {
        return std::nullopt;
    }
    SelectPasswordResult result;
    result.fileName = name.path;
    if (input.protect) result.password = input.password;
    result.reminder = input.reminder;
    result.protect = input.protect;
    result.openExisting = input.openExisting;
    result.createDefaultFolders = input.createDefaultFolders;
    return result;
}

}  // namespace kv
