#include "db/FileMessages.h"

namespace kv {

const char kOpenFailedText[] =
    "Can't open the source file for reading.\n"
    "Please select a different file, or create a new file, from the Editor window.";
const char kWriteFailedText[] = "Error writing to file";
const char kReadFailedText[] = "Error reading file";
const char kDamagedFileText[] = "The file is damaged and cannot be read.";
const char kUnknownDataTypeText[] = "Unknown data type in file.";
const char kNotAFileText[] = "The file is not a plain file (it is a folder, a pipe or a device).";
const char kReadOnlyText[] = "The file is read-only.";
const char kSaveBusyText[] = "The file is being saved by another program. Please try again when it has finished.";
const char kKeptCopyText[] = "\n\nThe file may be incomplete. The complete new contents are in: ";
const char kTooLargeText[] = "The file is too large to be read into memory.";
const char kTooLargeDetail[] = "Nothing of it was taken: what was open before stays open as it was.";
const char kUnstorableText[] =
    "The text contains characters that the password file cannot hold, so it was not taken.\n"
    "Please type it without them.";

std::string OneLineSystemText(const std::string& systemText) {
    std::string cleaned;
    cleaned.reserve(systemText.size());
    for (const char c : systemText) {
        if (c == '\n') {
            cleaned += ' ';
        } else if (c != '\r') {
            cleaned += c;
        }
    }
    return cleaned;
}

std::string FileErrorMessage(const std::string& what, const std::string& systemText,
                             const std::string& fileName) {
    return "Error: " + what + "\n\n\n" + OneLineSystemText(systemText) + "\n\nFilename: " + fileName;
}

std::string InvalidVersionMessage(const std::string& filePath) {
    return "\nInvalid version number in file:\n\n" + filePath +
           "\n\nYou may need a newer version of this utility to read this password file.";
}

}  // namespace kv
