// The helper library's own state: its module handle and the count of what
// keeps it loaded (live objects and locks of its class factory).
#pragma once

#include <windows.h>

#include <string>

namespace kv::bho {

HMODULE ModuleHandle();
std::string ModulePath();        // in the ANSI code page, for the registry
std::wstring ModuleFileName();   // the same, exact

void AddModuleReference();
void ReleaseModuleReference();
bool ModuleInUse();

}  // namespace kv::bho
