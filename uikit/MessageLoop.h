// The message loop of the user-interface thread, with keyboard navigation for
// modeless dialogs and accelerator tables for the windows that have them.
#pragma once

#include <windows.h>

namespace ui {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Handles the messages that are waiting, then returns (for tests and long work).
void PumpPendingMessages();

// Modeless dialogs whose keyboard navigation the loop provides.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// Keys of `table` are translated into commands for `window` while it is active.
void SetAccelerators(HWND window, HACCEL table);

}  // namespace ui
