// What the program relies on in the export table of KelvandorKey.dll and
// what its own import table must hold to bind the library by ordinal.
#pragma once

#include <string>
#include <vector>

#include "tests/support/PeImage.h"

namespace kv::keys {

// Problems with the library's exports (none when its functions and shared
// variables have their ordinals 2 to 15 and their plain names) and with its
// ".Shared" section (176 bytes, shared, readable and writable).
std::vector<std::string> KeyLibraryExportProblems(const pe::PeImage& library);

// Problems with a program's imports (none when it binds SendKeys, SetHook,
// GetFormData and FillAuthDlg of KelvandorKey.dll by their ordinals 3, 5, 8
// and 9 and nothing of it by name).
std::vector<std::string> KeyLibraryImportProblems(const pe::PeImage& program);

}  // namespace kv::keys
