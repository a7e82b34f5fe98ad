// What the system relies on in the export table of an in-process COM
// server (the browser helper): its four standard entry points.
#pragma once

#include <string>
#include <vector>

#include "tests/support/PeImage.h"

namespace kv::pe {

// Problems with the server's exports: none when DllCanUnloadNow,
// DllGetClassObject, DllRegisterServer and DllUnregisterServer are exported
// under their plain names (no decorated standard-call names on i686).
std::vector<std::string> ServerExportProblems(const PeImage& server);

}  // namespace kv::pe
