// The rules for folder paths, applied to the folders of a file just read:
// a file written elsewhere (or damaged) may break them, and the tree and the
// writer rely on them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "db/Record.h"

namespace kv {

// How many folders of a load had their path repaired, by rule.
struct FolderPathRepairs {
    std::size_t emptyNamesDropped = 0;  // "~~", a leading or trailing "~", or no name at all
    std::size_t pathsCut = 0;           // longer than 259 characters
    std::size_t pathsNumbered = 0;      // the same path as a folder before it

    bool Any() const { return emptyNamesDropped + pathsCut + pathsNumbered != 0; }
};

// The name given to a folder whose path holds no name at all.
extern const char kUnnamedFolder[];

// Repairs every folder's path in place: empty names are dropped, a path is
// cut to 259 characters, and a path that an earlier folder already has gets
// " (2)", " (3)", ... Records stay with their folder.
FolderPathRepairs RepairFolderPaths(std::vector<Folder>& folders);

// The message that tells the user, once for the whole file, what was repaired.
std::string FolderRepairMessage(const FolderPathRepairs& repairs, const std::string& fileName);

}  // namespace kv
