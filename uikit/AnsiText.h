// Whether a control's text survives the ANSI code page. The program's windows
// are ANSI: reading their text converts it, and the system puts "?" in place
// of every character that the code page cannot hold (a pasted one, say).
#pragma once

#include <windows.h>

namespace ui {

// Reads the control's text as UTF-16 and converts it without best-fit
// replacements: false when any character needs the default character.
bool HoldsAnsiText(HWND control);

}  // namespace ui
