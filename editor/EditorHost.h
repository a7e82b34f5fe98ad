// What the editor shares with the program that runs it: the database, its
// undo history and the settings it edits in place, and the few things only
// the program itself can do (its settings key, its file prompts, the tray,
// the orderly exit).
#pragma once

#include <windows.h>

#include "db/Database.h"
#include "db/FileFlows.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "views/UndoHistory.h"
#include "webforms/ui/WebFormHost.h"

namespace kv {

class EditorHost {
public:
    virtual ~EditorHost() = default;

    AppSettings Settings;
    PasswordDatabase Database;
    UndoHistory Undo;
    bool Exiting = false;

    virtual SettingsStorage& Storage() = 0;
    virtual FileFlowUi& FileInterface() = 0;
    virtual void SaveAppSettings() = 0;
    // The orderly shutdown; false when the user cancelled it.
    virtual bool Exit(bool askedByOtherInstance) = 0;

    // The notification icon and the tray dialog beside the editor.
    virtual bool TrayIconShown() const = 0;
    virtual void RefreshTrayDlg() = 0;
    virtual void MarkTrayDlgStale() = 0;

    // The program's web-form side (filling a record into its site); none
    // until the program provides it, and the launch button then only opens
    // the web address.
    virtual WebFormHost* WebForms() { return nullptr; }
    // Brings the shortcuts and the browser integration in line with the
    // settings, as the editor leaves them when it closes.
    virtual void SyncIntegration() {}
    // Runs the Options sheet over the settings and applies what closing it
    // with OK or Cancel means for the program.
    virtual void EditOptions(HWND owner) = 0;
};

}  // namespace kv
