// The texts with which the password file layer reports failures.
#pragma once

#include <string>

namespace kv {

extern const char kOpenFailedText[];
extern const char kWriteFailedText[];
extern const char kReadFailedText[];
extern const char kDamagedFileText[];
extern const char kUnknownDataTypeText[];
// Why a file is not opened, in the place of the system's text.
extern const char kNotAFileText[];
extern const char kReadOnlyText[];
extern const char kSaveBusyText[];
// Follows a write error when the complete new contents stayed in a file of
// their own; the path of that file follows it.
extern const char kKeptCopyText[];
// A file whose contents do not fit in the memory the program can have.
extern const char kTooLargeText[];
extern const char kTooLargeDetail[];
// A typed or pasted text holds characters that the file's code page lacks.
extern const char kUnstorableText[];

// The system's message text on one line: line feeds turned into spaces,
// carriage returns removed.
std::string OneLineSystemText(const std::string& systemText);

// "Error: %s\n\n\n%s\n\nFilename: %s", with line feeds in the system's text
// turned into spaces and carriage returns removed.
std::string FileErrorMessage(const std::string& what, const std::string& systemText,
                             const std::string& fileName);

// The message for a version text that this program cannot read.
std::string InvalidVersionMessage(const std::string& filePath);

}  // namespace kv
