// Putting the complete new contents of a file on the disk without ever
// leaving it half written.
#pragma once

#include <string>
#include <vector>

namespace kv {

class FileSystem;
class FileUi;

// Writes `data` as the new contents of `path` (the file a symbolic link
// names, when it is one). The data goes into a new file of its own beside
// it first; that replaces the old file, or, for a file with several hard
// links, is copied into it in place. A read-only file, anything but a plain
// file, and a file that another save is writing are refused. Every failure
// keeps the old file, leaves no temporary file behind (unless it holds the
// only complete copy, which the message then names) and is told to the user.
bool CommitFile(FileSystem& files, FileUi& ui, const std::string& path, const std::vector<unsigned char>& data);

}  // namespace kv
