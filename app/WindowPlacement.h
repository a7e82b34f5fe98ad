// Saving a window's rectangle in the settings and putting it back.
#pragma once

#include <windows.h>

#include "app/SettingsStore.h"

namespace kv {

// Writes the window's screen rectangle, unless it is minimised.
void SaveWindowRect(SettingsStorage& storage, HWND window, const char* valueName);

// Moves (and, unless `positionOnly`, sizes) the window to the stored
// rectangle, kept inside the desktop's work area; false when none is stored.
bool RestoreWindowRect(SettingsStorage& storage, HWND window, const char* valueName, bool positionOnly);

}  // namespace kv
