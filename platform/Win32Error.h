// The system's message text for a Win32 error code.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

std::string SystemErrorText(DWORD error);

}  // namespace kv
