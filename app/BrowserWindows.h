// Telling the windows of a browser from any other: requests that name a
// window come from other processes, and any process can send them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace kv {

// The window a 32-bit message field names (window handles are sign-extended
// on 64-bit Windows).
HWND WindowOfField(std::uint64_t field);

// Whether `window` is a live window of another process that runs Internet
// Explorer ("iexplore.exe") or the program `otherBrowser` (a name as
// BrowserProgramName gives it, empty for none), compared without case.
bool IsBrowserProcessWindow(HWND window, const std::string& otherBrowser);

}  // namespace kv
