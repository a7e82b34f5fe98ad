// Tool tips for the controls of a dialog, from the string resources that
// carry the controls' identifiers (the text before "\n").
#pragma once

#include <windows.h>

#include <initializer_list>

namespace ui {

// Creates a tool-tip window for `dialog` holding a tip for each listed
// control that has a text; the window goes with the dialog.
HWND AddToolTips(HWND dialog, std::initializer_list<int> controlIds);

}  // namespace ui
