// The module that holds the program's resources, and loading from it.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The module whose resources the framework loads (the program by default).
HINSTANCE Instance();
void SetInstance(HINSTANCE instance);

// The folder of the program's file, with a trailing backslash.
std::string ProgramFolder();

// A string resource, empty when there is none.
std::string LoadText(UINT id);

// An icon resource at the given size in pixels (shared, not to be destroyed).
HICON LoadIconAt(UINT id, int size);

}  // namespace ui
