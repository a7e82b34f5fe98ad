// Locking, the lock hot key, the screen-saver watch and clipboard clearing.
#include "app/Clipboard.h"
#include "app/MessageBox.h"
#include "app/PasswordApp.h"
#include "app/Settings.h"
#include "db/Verifier.h"
#include "editor/EditorDlg.h"

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
    Locked = true;
    tray_.UpdateIcon();
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
    kv::ClearClipboardIfDue(CopiedText, clipboard, GetTickCount(), ClearDelaySeconds(Settings));
}

}  // namespace kv
