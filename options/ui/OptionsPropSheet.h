// The "Options" sheet: the Preferences, System tray, Column settings, Column
// names and AutoFill pages, without Apply. The pages edit the settings in
// place; what closing it means for the program is the caller's to apply.
#pragma once

#include <windows.h>

#include "options/ui/AutoFillPage.h"
#include "options/ui/ColumnNamesPage.h"
#include "options/ui/ColumnSettingsPage.h"
#include "options/ui/PreferencesPage.h"
#include "options/ui/SystemTrayPage.h"
#include "uikit/PropertySheet.h"

namespace kv {

class COptionsPropSheet {
public:
    explicit COptionsPropSheet(OptionsHost& host);

    // Runs the sheet modally; true when it was closed with OK.
    bool DoModal(HWND parent);

    // The lock hot key as the Preferences page left it.
    const HotKey& ChosenHotKey() const { return preferences_.ChosenHotKey(); }
    CAutoFillPage& AutoFillPage() { return autoFill_; }

private:
    CPreferencesPage preferences_;
    CSystemTrayPage systemTray_;
    CColumnSettingsPage columnSettings_;
    CColumnNamesPage columnNames_;
    CAutoFillPage autoFill_;
    ui::Sheet sheet_{"Options"};
};

}  // namespace kv
