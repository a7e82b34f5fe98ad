// Writes a registration script into the registry and takes it out again. The
// class keys (HKCR) go to this user's classes, which every program of the
// user sees and which need no administrator; the browser's own keys (HKLM)
// go where the browser reads them.
#pragma once

#include <windows.h>

#include "bho/RegistryScript.h"

namespace kv::registration {

// Where the script's HKCR keys go: this user's classes.
inline constexpr char kUserClasses[] = "Software\\Classes";

// S_OK when every key was written; otherwise the first failure's HRESULT.
// Keys that could be written stay.
HRESULT ApplyScript(const ParsedScript& script);
// Takes out what the script added; a key that is not there is no failure.
HRESULT UndoScript(const ParsedScript& script);

}  // namespace kv::registration
