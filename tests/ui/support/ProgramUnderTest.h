// Test programs that check a built program (Kelvandor.exe) get its path as
// their first argument; ProgramMain.cpp is their main().
#pragma once

#include <string>

namespace kv::uitest {

// The program's path as Windows sees it; empty when none was given.
const std::string& ProgramUnderTest();

}  // namespace kv::uitest
