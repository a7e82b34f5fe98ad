// Where the Add Web Form dialog and the AutoFill pop-up stand: where the
// user left the last of them ("FormDlgPos"), else over the browser's page.
#pragma once

#include <windows.h>

#include "settings/SettingsStore.h"

namespace kv {

// Moves `window` to the stored position, or to the top left of `browser`'s
// client area (below its menu bar), and keeps it above other windows.
void PlaceOverBrowser(SettingsStorage& storage, HWND window, HWND browser);

// Moves `window` beside a browser's authentication dialog, so that the
// fields the user types into stay uncovered, and keeps it above other windows.
void PlaceBesideAuthDialog(HWND window, HWND dialog);

// Stores the window's position for the next of them.
void RememberBrowserWindowPlace(SettingsStorage& storage, HWND window);

}  // namespace kv
