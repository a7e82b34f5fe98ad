// Locking, the lock hot key, the screen-saver watch and clipboard clearing.
#include <utility>

#include "app/PasswordApp.h"
#include "db/Verifier.h"
#include "desktop/Clipboard.h"
#include "desktop/MessageBox.h"
#include "editor/EditorDlg.h"
#include "settings/Settings.h"
#include "uikit/ThreadWindows.h"

namespace kv {
namespace {

constexpr int kLockHotKeyId = 100;

}  // namespace

bool CPasswordApp::CanLock() const { return tray_.IconShown() && !Database.MasterPassword.empty(); }

void CPasswordApp::Lock() {
    if (!CanLock()) return;
    if (editor_ && editor_->hwnd() != nullptr) {
        editor_->view().CloseSearch();
        editor_->Show(SW_HIDE);
    }
    tray_.ConcealTrayDlg();
    // The web-form dialogs end rather than wait hidden: they record into or fill from the database.
    webForms_->CloseAll();
    // Any other window may show records or passwords, a modal dialog as well:
    // it is hidden until the database is unlocked.
    hiddenByLock_ = ui::VisibleThreadWindows();
    for (HWND window : hiddenByLock_) ShowWindow(window, SW_HIDE);
    Locked = true;
    tray_.UpdateIcon();
}

void CPasswordApp::ShowWindowsHiddenByLock() {
    HWND editor = editor_ ? editor_->hwnd() : nullptr;
    const std::vector<HWND> hidden = std::exchange(hiddenByLock_, {});
    for (HWND window : hidden) {
        if (!IsWindow(window)) continue;
        // A dialog of the editor comes back with its editor.
        if (editor != nullptr && ui::IsOwnedBy(window, editor)) editor_->Show(SW_SHOW);
        ShowWindow(window, SW_SHOW);
    }
}

bool CPasswordApp::Unlock() {
    if (unlockPromptOpen_) return false;
    if (Locked && !Database.MasterPassword.empty()) {
        PasswordPrompt prompt;
        prompt.fileName = FileNameOf(Database.FilePath);
        prompt.reminder = Database.ReminderPhrase;
        prompt.verifier = MakeVerifier(Database.MasterPassword);
        unlockPromptOpen_ = true;
        const bool unlocked = fileUi_.AskUnlock(prompt);
        unlockPromptOpen_ = false;
        if (!unlocked) return false;
    }
    Locked = false;
    if (tray_.hwnd() != nullptr) tray_.UpdateIcon();
    ShowWindowsHiddenByLock();
    return true;
}

void CPasswordApp::ToggleLock() {
    if (Locked) {
        Unlock();
    } else {
        Lock();
    }
}

bool CPasswordApp::RegisterLockHotKey(bool enable, std::uint32_t modifiers, std::uint32_t virtualKey) {
    // Asked to register without a key: the stored key, and whether it is on.
    if (enable && (modifiers == 0 || virtualKey == 0)) {
        const HotKey stored = LoadHotKey(storage_);
        enable = stored.enabled;
        modifiers = stored.modifiers;
        virtualKey = stored.virtualKey;
    }
    if (tray_.IconShown()) UnregisterHotKey(tray_.hwnd(), kLockHotKeyId);
    if (!enable || !tray_.IconShown()) return true;
    if (!IsRegistrableHotKey(modifiers, virtualKey)) {
        ShowMessage("The lock hotkey has no Ctrl or Alt key, so it was not registered.  Please choose another one "
                    "in the options.");
        return false;
    }
    if (RegisterHotKey(tray_.hwnd(), kLockHotKeyId, RegistrationModifiers(modifiers), virtualKey)) return true;
    ShowMessage("Unable to register hotkey.  The key sequence may be in use by another application.");
    return false;
}

bool CPasswordApp::IsScreenSaverRunning() const {
    if (screenSaverProbe_) return screenSaverProbe_();
    if (IsNT) {
        HDESK desktop = OpenDesktopA("screen-saver", 0, FALSE, MAXIMUM_ALLOWED);
        if (desktop != nullptr) {
            CloseDesktop(desktop);
            return true;
        }
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    if (IsWin95) return false;
    BOOL running = FALSE;
    return SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
}

void CPasswordApp::ClearClipboardIfDue() {
    SystemClipboard clipboard(tray_.hwnd());
    kv::ClearClipboardIfDue(CopiedText(), clipboard, GetTickCount(), ClearDelaySeconds(Settings));
}

}  // namespace kv
