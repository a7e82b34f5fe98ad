// Which layout of folders and records a file's version text selects.
#pragma once

#include <string>

namespace kv {

// Folders as 264-byte blocks, before version "6".
inline bool HasLegacyFolders(const std::string& version) { return version < "6"; }
// Records as 1736-byte blocks, before version "5".
inline bool HasLegacyRecords(const std::string& version) { return version < "5"; }
// Fields 9 and 10 of a record stored as strings instead of dates, before version "7".
inline bool HasDatesAsText(const std::string& version) { return version < "7"; }

}  // namespace kv
