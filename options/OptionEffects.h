// What closing the Options sheet has to do. The pages apply some settings
// the moment they change (the icon, transparency, skin, clipboard timer and
// Start with Windows); the rest wait for OK. Cancel puts back the stored
// settings, so what the pages applied at once is undone there.
#pragma once

#include "settings/AppSettings.h"
#include "settings/Settings.h"

namespace kv {

// The settings and the lock hot key together, as the sheet edits them.
struct OptionsState {
    AppSettings settings;
    HotKey hotKey;
};

struct OptionEffects {
    bool icon = false;              // show or remove the notification icon
    bool hotKey = false;            // register the hot key anew
    bool screenSaverTimer = false;  // re-arm the screen-saver watch
    bool clipboardTimer = false;    // re-arm the clipboard clearing
    bool skin = false;              // re-skin the editor and the tray dialog
    bool transparency = false;      // the tray dialog's transparency
    bool integration = false;       // shortcuts and the browser helper
    bool browserMenu = false;       // the browser's Tools-menu entry
    bool columns = false;           // the editor's columns and their names
    bool trayImages = false;        // the tray dialog's tree pictures and names
};

// The effects of closing with OK (`kept`) or Cancel, from the state when the
// sheet opened, the state the pages left (and applied in part) and what
// holds afterwards (the pages' state after OK, the opening one after Cancel).
OptionEffects ClosingEffects(const OptionsState& opened, const OptionsState& edited, bool kept);

}  // namespace kv
