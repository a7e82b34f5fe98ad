// Saving a window's rectangle in the settings and putting it back, and the
// work area a window is kept on.
#pragma once

#include <windows.h>

#include "desktop/WindowRect.h"
#include "settings/SettingsStore.h"

namespace kv {

// Writes the window's screen rectangle, unless it is minimised.
void SaveWindowRect(SettingsStorage& storage, HWND window, const char* valueName);

// Moves (and, unless `positionOnly`, sizes) the window to the stored
// rectangle, kept inside the desktop's work area; false when none is stored.
bool RestoreWindowRect(SettingsStorage& storage, HWND window, const char* valueName, bool positionOnly);

// The work area of the monitor nearest to the point (screen pixels).
ScreenRect WorkAreaAt(POINT point);

// A window's screen rectangle.
ScreenRect ScreenRectOf(HWND window);

}  // namespace kv
