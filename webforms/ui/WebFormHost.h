// What the web-form windows ask of the program that runs them: its database
// and settings, the fill of a record, the state that keeps a second fill or
// dialog from starting, and the windows to tell of a change. The application
// object implements it.
#pragma once

#include <windows.h>

#include "db/Database.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "webforms/SiteRecords.h"

namespace kv {

class CBrowserConnection;

class WebFormHost {
public:
    virtual ~WebFormHost() = default;

    virtual PasswordDatabase& Database() = 0;
    virtual const AppSettings& Settings() = 0;
    virtual SettingsStorage& Storage() = 0;

    // Fills record `record` of folder `folder` into the browser of
    // `connection`, or, without one, into its site opened anew; `override`
    // is one of the three values above.
    virtual void FillRecord(int folder, int record, CBrowserConnection* connection, int override) = 0;
    virtual bool IsFillInProgress() const = 0;

    // Whether a password file is open, and whether the program is locked.
    virtual bool IsFileOpen() const = 0;
    virtual bool IsLocked() const = 0;
    // Loads the open file if that has not happened and, while locked, asks
    // for the master password; false when either fails or is cancelled.
    virtual bool MakeDatabaseReady() = 0;

    // The modified flag was set: the editor's status bar shows it.
    virtual void ModifiedChanged() = 0;
    // A captured record was stored: an open editor shows it.
    virtual void ShowCapturedRecord(int folder, int record) = 0;
    // "Add form..." of the AutoFill pop-up: the Add Web Form dialog for `browser`.
    virtual void AddWebForm(HWND browser) = 0;
    // "?" of the AutoFill pop-up.
    virtual void ShowAutoFillHelp() = 0;

    // Watches a browser's authentication dialog: when the user closes it, its
    // user name and password are read and "PASSWORDOnSubmit" (wParam 1) is
    // posted to `notify`. False while another watch runs.
    virtual bool WatchAuthDialog(HWND dialog, HWND notify) = 0;
    // The user name and password that the watch read; they are wiped where
    // the watch kept them.
    virtual AuthDialogValues TakeAuthDialogValues() = 0;
};

}  // namespace kv
