// The Options sheet as the program runs it: the effects its pages apply at
// once, and what closing it with OK or Cancel applies afterwards.
#include "app/PasswordApp.h"
#include "app/TrayDlg.h"
#include "editor/EditorDlg.h"
#include "options/OptionEffects.h"
#include "options/ui/OptionsPropSheet.h"

namespace kv {
namespace {

class AppOptionsHost : public OptionsHost {
public:
    explicit AppOptionsHost(CPasswordApp& app) : app_(app) {}

    AppSettings& EditedSettings() override { return app_.Settings; }
    HotKey StoredHotKey() override { return LoadHotKey(app_.Storage()); }
    bool HasMasterPassword() const override { return !app_.Database.MasterPassword.empty(); }
    bool IsWin95() const override { return app_.IsWin95; }
    bool CanMakeTransparent() const override { return kv::CanMakeTransparent(); }

    void ShowTrayIcon(bool show) override { app_.ApplyTrayIcon(show); }
    void ApplyClipboardTimer() override { app_.Tray().UpdateTimers(); }
    void ApplySkin() override {
        RefreshEditor();
        if (CTrayDlg* tray = app_.Tray().TrayDlg()) tray->ApplySkin();
    }
    void ApplyTransparency() override {
        if (CTrayDlg* tray = app_.Tray().TrayDlg()) tray->ApplyTransparency();
    }
    void ApplyIntegration() override { app_.SyncIntegration(); }
    void ApplyColumns() override { RefreshEditor(); }

private:
    void RefreshEditor() {
        CEditorDlg* editor = app_.Editor();
        if (editor != nullptr && editor->hwnd() != nullptr) editor->view().SettingsChanged();
    }

    CPasswordApp& app_;
};

}  // namespace

void CPasswordApp::ApplyTrayIcon(bool show) {
    if (show && !tray_.IconShown()) tray_.AddIcon();
    if (!show && tray_.IconShown()) {
        RegisterLockHotKey(false, 0, 0);
        tray_.RemoveIcon();
    }
    tray_.UpdateTimers();
}

void CPasswordApp::EditOptions(HWND owner) {
    const OptionsState opened{Settings, LoadHotKey(storage_)};
    AppOptionsHost host(*this);
    COptionsPropSheet sheet(host);
    if (optionsChooser_) sheet.AutoFillPage().SetBrowserChooser(optionsChooser_);
    const bool kept = sheet.DoModal(owner);
    const OptionsState edited{Settings, sheet.ChosenHotKey()};
    if (kept) {
        ApplyOptions(opened, edited);
    } else {
        RevertOptions(opened, edited);
    }
}

void CPasswordApp::ApplyOptions(const OptionsState& opened, const OptionsState& edited) {
    SaveAppSettings();
    const OptionEffects effects = ClosingEffects(opened, edited, true);
    ApplyEffects(effects);
    if (effects.hotKey) ApplyHotKey(edited.hotKey);
    if (effects.browserMenu) {
        if (!places_) places_ = SystemIntegrationPlaces(IsNT);
        SyncBrowserMenu(*places_, Settings.IEMenu != 0);
    }
}

void CPasswordApp::RevertOptions(const OptionsState& opened, const OptionsState& edited) {
    // What the pages changed in memory goes back to what held when the
    // sheet opened, and what they applied at once follows.
    Settings = opened.settings;
    ApplyEffects(ClosingEffects(opened, edited, false));
}

void CPasswordApp::ApplyEffects(const OptionEffects& effects) {
    AppOptionsHost host(*this);
    if (effects.icon) ApplyTrayIcon(Settings.SysTrayIcon != 0);
    if (effects.transparency) host.ApplyTransparency();
    if (effects.skin) host.ApplySkin();
    if (effects.columns) host.ApplyColumns();
    if (effects.clipboardTimer || effects.screenSaverTimer) tray_.UpdateTimers();
    if (effects.integration) SyncIntegration();
    if (effects.trayImages) tray_.RefreshTrayDlg();
}

void CPasswordApp::ApplyHotKey(const HotKey& chosen) {
    // A key the system refuses is reported there, and the stored one is
    // registered again and kept.
    const bool usable = !chosen.enabled || chosen.virtualKey != 0;
    if (usable && RegisterLockHotKey(chosen.enabled, chosen.modifiers, chosen.virtualKey)) {
        SaveHotKey(storage_, chosen);
        return;
    }
    RegisterLockHotKey(true, 0, 0);
}

}  // namespace kv
