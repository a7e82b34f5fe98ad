// The application object: lives for the whole process and owns what the
// parts share: settings, database, the hidden windows and the shared block.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppFileUi.h"
#include "app/AppWebForms.h"
#include "app/Integration.h"
#include "app/TrayWnd.h"
#include "app/WebFormDialogs.h"
#include "editor/EditorHost.h"
#include "options/OptionEffects.h"
#include "options/ui/AutoFillPage.h"
#include "platform/Win32Handles.h"
#include "settings/AppSettings.h"
#include "settings/RegistrySettings.h"
#include "webforms/SharedMemoryBlock.h"
#include "webforms/SiteRecords.h"

namespace kv {

class CBrowserConnection;
class CEditorDlg;

class CPasswordApp : public EditorHost {
public:
    CPasswordApp();
    ~CPasswordApp();
    CPasswordApp(const CPasswordApp&) = delete;
    CPasswordApp& operator=(const CPasswordApp&) = delete;

    // Start-up; false ends the process at once (another instance serves).
    bool InitInstance(const std::string& commandLine);
    // The message loop, then the release of everything in order.
    int Run();

    // Unlocks if needed, then shows (creating it once) the editor window.
    void ShowEditor();

    // Locking: hides the editor and the tray dialog until the master password
    // is typed again. Only with the notification icon and a master password.
    void Lock();
    // True when the database is unlocked afterwards.
    bool Unlock();
    void ToggleLock();
    bool CanLock() const;
    // Registers the lock hot key (enabled without a key: the stored one, if it
    // is on); false only when the system refused it. Without the icon or when
    // disabled it only unregisters.
    bool RegisterLockHotKey(bool enable, std::uint32_t modifiers, std::uint32_t virtualKey);
    bool IsScreenSaverRunning() const;
    // Tests answer in place of the system whether a screen saver runs.
    void SetScreenSaverProbe(std::function<bool()> probe) { screenSaverProbe_ = std::move(probe); }
    // Empties the clipboard once the clearing delay has passed, if it still
    // holds the value the program copied last.
    void ClearClipboardIfDue();

    // Reads `LastFile` unless a file is loaded; false when that fails.
    bool EnsureDatabaseLoaded();
    // "Select database": another file chosen and opened, in the editor when it
    // exists. False when no file was chosen.
    bool SelectDatabase();
    // The orderly shutdown; false when the user cancelled it.
    bool Exit(bool askedByOtherInstance) override;

    // Fills the record at the indexes given (checked, as they may come from
    // another process): into the page of `browser` (a request of the browser
    // helper), or into a browser opened at the record's address. The page
    // must be the record's site, or the user is asked. `autoSubmitOverride`
    // 100 forces submitting, 101 prevents it.
    void FillRecord(int folder, int record, CBrowserConnection* browser, int autoSubmitOverride);
    // Writes a record's authentication entries into a browser's
    // authentication dialog showing the page at `address`.
    void FillAuthDialog(int folder, int record, HWND dialog, const std::string& address);
    // A fill started by FillRecord has ended (its "KelvandorBHOForm" 32770 came back).
    void EndFill() { fillInProgress_ = false; }
    bool FileOpen() const { return Database.FileLoaded != 0 && !Database.FilePath.empty(); }
    // What the web-form requests need to know of the program now.
    ProgramState WebFormState() const;
    // Whether a window named by a request is a live window of a browser process.
    bool IsBrowserWindow(HWND window) const;
    // Tests put a check of their own in place of the process check.
    void SetBrowserWindowCheck(std::function<bool(HWND)> check) { browserWindowCheck_ = std::move(check); }
    WebFormDialogs& WebFormWindows() { return *webForms_; }
    WebFormHost* WebForms() override { return WebFormHostOf(*webForms_); }
    void SetWebFormDialogs(std::unique_ptr<WebFormDialogs> dialogs) { webForms_ = std::move(dialogs); }

    void LoadAppSettings();
    // Saves the settings; a key that cannot be created is reported once a run.
    void SaveAppSettings() override;

    // Brings the shortcuts and the browser helper's registration in line with
    // the settings; "Start with Windows" then says whether the Startup
    // shortcut really starts this program.
    void SyncIntegration() override;
    // The Options sheet, and what closing it with OK or Cancel applies.
    void EditOptions(HWND owner) override;
    void ApplyOptions(const OptionsState& opened, const OptionsState& edited);
    void RevertOptions(const OptionsState& opened, const OptionsState& edited);
    // Shows or removes the notification icon, with the hot key and timers
    // that go with it.
    void ApplyTrayIcon(bool show);
    // How the AutoFill page asks for a browser (tests answer in place of the dialog).
    void SetBrowserChooser(BrowserChooser choose) { optionsChooser_ = std::move(choose); }
    // Points the shortcuts and keys at places of a test's own; before InitInstance.
    void UseIntegrationPlaces(IntegrationPlaces places) { places_ = std::move(places); }

    // How long a second start waits for this one to close (tests shorten it).
    void SetShutdownTimeout(unsigned milliseconds) { shutdownTimeoutMs_ = milliseconds; }

    // Points the settings at another key (tests); before InitInstance.
    void UseSettingsLocation(const SettingsLocation& location) { storage_ = RegistrySettings(location); }
    RegistrySettings& Storage() override { return storage_; }

    CTrayWnd& Tray() { return tray_; }
    CEditorDlg* Editor() { return editor_.get(); }
    HWND RichEdit() const { return richEdit_; }
    HWND MessageWindow() const { return messageWindow_; }
    const SharedMemoryBlock& SharedBlock() const { return sharedBlock_; }
    SharedMemoryBlock& SharedBlock() { return sharedBlock_; }
    AppFileUi& FileInterface() override { return fileUi_; }
    bool TrayIconShown() const override { return tray_.IconShown(); }
    void RefreshTrayDlg() override { tray_.RefreshTrayDlg(); }
    void MarkTrayDlgStale() override { tray_.MarkTrayDlgStale(); }
    HBRUSH SkinBrush() const { return skinBrush_.get(); }

    bool Locked = false;
    bool IsNT = false;
    bool IsWin95 = false;

private:
    bool StartSecondInstance(const std::string& commandLine, HWND browser);
    void ReadSystemVersion();
    void ShowStartView(const std::string& commandLine, HWND browser);
    void Release();
    // Shows again the dialogs that locking hid (with the editor that owns them).
    void ShowWindowsHiddenByLock();
    void CreateSharedBlock();
    // Goes to the record's site (with `navigate`) and fills it; 1 filled, 0 abandoned, -1 no answer.
    int RunFill(int folder, int record, CBrowserConnection& browser, bool navigate, int autoSubmitOverride);
    void ApplyEffects(const OptionEffects& effects);
    // Registers and saves the hot key chosen in the options, if the system takes it.
    void ApplyHotKey(const HotKey& chosen);

    RegistrySettings storage_{SettingsLocation{}};
    AppFileUi fileUi_;
    CTrayWnd tray_;
    std::unique_ptr<CEditorDlg> editor_;
    SharedMemoryBlock sharedBlock_;
    KernelHandle instanceMutex_;
    LoadedLibrary richEditLibrary_;
    HWND richEdit_ = nullptr;
    HWND messageWindow_ = nullptr;
    GdiObject<HBRUSH> skinBrush_;
    bool oleInitialised_ = false;
    bool reportedSaveFailure_ = false;
    bool unlockPromptOpen_ = false;
    std::function<bool()> screenSaverProbe_;
    bool released_ = false;
    unsigned shutdownTimeoutMs_ = 60000;
    std::vector<HWND> hiddenByLock_;
    std::unique_ptr<WebFormDialogs> webForms_;
    std::function<bool(HWND)> browserWindowCheck_;
    bool fillInProgress_ = false;
    std::optional<IntegrationPlaces> places_;
    BrowserChooser optionsChooser_;
};

// The one application object of the process.
CPasswordApp& App();

}  // namespace kv
