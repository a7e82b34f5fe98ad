// Tool tips for the controls of a dialog, from the string resources that
// carry the controls' identifiers (the text before "\n"), or from texts the
// dialog gives as they change.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace ui {

// Creates a tool-tip window for `dialog` holding a tip for each listed
// control that has a text; the window goes with the dialog.
HWND AddToolTips(HWND dialog, std::initializer_list<int> controlIds);

// Gives `control` of `dialog` the tip `text`, replacing one it had.
void SetToolTip(HWND tips, HWND dialog, HWND control, const std::string& text);

}  // namespace ui
