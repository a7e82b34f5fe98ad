// The rules of the "Select password" dialog: when OK is possible, and what
// becomes of the file name that the user typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/FileFlows.h"

namespace kv {

// OK is possible with protection when the password is not empty and equals
// its confirmation, without protection when a file name is given.
bool SelectPasswordOkEnabled(bool protect, std::string_view password, std::string_view confirmation,
                             const std::string& fileName);

// The message for a file name holding one of / \ : * ? " < > |.
extern const char kForbiddenFileNameMessage[];

enum class FileNameProblem { None, Empty, ForbiddenCharacter };

// ".kv" appended unless the name holds it anywhere (whatever the case), and
// the program's folder put in front of a bare name.
struct CheckedFileName {
    FileNameProblem problem = FileNameProblem::None;
    std::string path;
};
CheckedFileName CheckNewFileName(const std::string& typed, const std::string& programFolder);

// What the dialog's fields hold when OK is pressed.
struct SelectPasswordInput {
    bool protect = false;
    SecretString password;
    SecretString confirmation;
    std::string reminder;
    std::string fileName;
    bool changeMode = false;
    bool openExisting = false;
    bool createDefaultFolders = false;
};

// The OK step: shows the message of the first rule broken and gives nothing
// (the dialog stays), or the result. Asks before overwriting an existing file.
std::optional<SelectPasswordResult> AcceptSelectPassword(const SelectPasswordInput& input,
                                                         const std::string& programFolder, FileSystem& files,
                                                         FileFlowUi& ui);

}  // namespace kv
