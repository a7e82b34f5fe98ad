// The program file that a browser setting names, to know that browser's
// windows when a request names one.
#pragma once

#include <string>

namespace kv {

// The file name of the program a browser setting names, with or without
// quotes and arguments: "myie.exe" for C:\MyIE2\myie.exe -new; empty when
// it names none.
std::string BrowserProgramName(const std::string& commandLine);

}  // namespace kv
