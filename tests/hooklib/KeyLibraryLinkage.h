// What the program relies on in the export table of KelvandorKey.dll and
// what its own import table must hold to bind the library by ordinal.
#pragma once

#include <string>
#include <vector>

#include "tests/support/PeImage.h"

namespace kv::keys {

// Problems with the library's exports (none when JrnlPlayBackHook is
// ordinal 2 and SendKeys ordinal 3, by their plain names).
std::vector<std::string> KeyLibraryExportProblems(const pe::PeImage& library);

// Problems with a program's imports (none when it binds SendKeys of
// KelvandorKey.dll by ordinal 3 and nothing of it by name).
std::vector<std::string> KeyLibraryImportProblems(const pe::PeImage& program);

}  // namespace kv::keys
