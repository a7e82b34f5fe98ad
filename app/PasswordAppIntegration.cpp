// The program's side of the desktop and browser integration: which settings
// it follows, and the one report of helper keys it may not change.
#include "app/Integration.h"
#include "app/PasswordApp.h"
#include "desktop/MessageBox.h"

namespace kv {
namespace {

// Set once the user was told that the helper's keys could not be changed,
// so that the next starts do not tell again; cleared once they could.
constexpr char kHelperKeysRefused[] = "HelperKeysRefused";

}  // namespace

void CPasswordApp::SyncIntegration() {
    if (!places_) places_ = SystemIntegrationPlaces(IsNT);
    const bool helper = Settings.CheckFormPasswords != 0;
    // Saving the Startup shortcut replaces one left by a moved program; one
    // that could not be saved leaves "Start with Windows" off.
    const bool startup = Settings.StartWithWindows != 0;
    const bool startupSynced = SyncShortcut(*places_, ShortcutFolder::Startup, startup);
    Settings.StartWithWindows = startup && startupSynced ? 1 : 0;
    SyncShortcut(*places_, ShortcutFolder::Links, Settings.AddLink != 0);
    SyncHelperLibrary(*places_, helper);
    const LONG keys = SyncHelperKeys(*places_, helper);

    const std::unique_ptr<SettingsStore> store = storage_.OpenOrCreate();
    const bool told = store && store->ReadNumber(kHelperKeysRefused).value_or(0) != 0;
    if (keys != ERROR_SUCCESS && !told) {
        ShowMessage(HelperKeysMessage(helper, keys), MB_OK | MB_ICONWARNING);
        if (store) store->WriteNumber(kHelperKeysRefused, 1);
    } else if (keys == ERROR_SUCCESS && told) {
        store->WriteNumber(kHelperKeysRefused, 0);
    }
}

}  // namespace kv
