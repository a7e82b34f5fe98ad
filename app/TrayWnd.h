// The hidden top-level window of class "Kelvandor": the target of the
// requests of other instances and of the browser helper, the owner of the
// notification icon, its menu and the tray dialog, and of the timers that
// watch for the screen saver and clear copied values.
#pragma once

#include <memory>
#include <vector>

#include "app/WebFormDialogs.h"
#include "desktop/UserGuide.h"
#include "protocol/MessageNames.h"
#include "uikit/MessageMap.h"
#include "uikit/NotifyIcon.h"
#include "uikit/Window.h"
#include "webforms/AutoFillMenu.h"
#include "webforms/SiteRecords.h"

namespace kv {

class CTrayDlg;

// Fills the icon menu's AutoFill submenu from its layout: the "All sites"
// popup (the submenu's first item) and a popup per folder after it. Returns
// the records behind the items, the first for command 40001.
std::vector<TrayItem> FillAutoFillMenu(HMENU autoFill, const AutoFillMenu& layout);

constexpr UINT kFirstAutoFillCommand = 40001;
// Posted to itself: show the web-form menu of a reported authentication dialog.
constexpr UINT kDialogMenuMessage = WM_APP + 14;

class CTrayWnd : public ui::Mapped<CTrayWnd, ui::Window> {
public:
    static constexpr const char* kClassName = protocol::kMainWindowClass;
    static constexpr UINT_PTR kScreenSaverTimer = 123456;
    static constexpr UINT_PTR kClipboardTimer = 1234;
    // Clears the shared block once the browser helper has read it.
    static constexpr UINT_PTR kClearBlockTimer = 1235;
    static constexpr UINT kClearBlockDelayMs = 1000;

    CTrayWnd();
    ~CTrayWnd() override;

    bool Create();

    // The notification icon: 128, or 296 while the database is locked.
    // Adding it also registers the lock hot key and starts the timers.
    bool AddIcon();
    void UpdateIcon();
    void RemoveIcon();
    bool IconShown() const { return iconShown_; }
    DWORD IconAddedAt() const { return iconAddedAt_; }

    // Starts or stops the screen-saver and clipboard timers from the settings.
    void UpdateTimers();

    // Loads the database and unlocks it if needed, creates the tray dialog
    // and, with `show`, shows it in the foreground.
    void OpenTrayDlg(bool show);
    void HideTrayDlg();
    // Hides the dialog and what it opened whatever the icon menu does: a
    // locked database shows nothing.
    void ConcealTrayDlg();
    // Rebuilds the tray dialog's tree, if the dialog exists.
    void RefreshTrayDlg();
    // The database changed: the tray dialog rebuilds its tree when next used.
    void MarkTrayDlgStale();
    CTrayDlg* TrayDlg() { return trayDlg_.get(); }

    // The icon's menu at the cursor; runs the chosen command.
    void ShowIconMenu();

    // The web-form menu (344) for a browser window, at the cursor, or for an
    // authentication dialog, beside it; runs the chosen command or fill.
    void ShowWebFormMenu(const WebFormTarget& target);

    static const ui::MessageMap<CTrayWnd>& Messages();

private:
    LRESULT OnShowDlg(WPARAM, LPARAM);
    LRESULT OnShutdown(WPARAM, LPARAM);
    LRESULT OnIePopup(WPARAM, LPARAM);
    LRESULT OnTaskbar(WPARAM, LPARAM);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    // The browser helper's requests and the tray's own fill request.
    LRESULT OnCopyData(WPARAM, LPARAM);
    LRESULT OnDialogMenu(WPARAM, LPARAM);
    LRESULT OnBhoForm(WPARAM, LPARAM);
    LRESULT OnBhoFill(WPARAM, LPARAM);
    LRESULT OnBhoCommand(WPARAM, LPARAM);
    LRESULT OnFillForm(WPARAM, LPARAM);
    // Writes the records of the page's site into the shared block.
    void ListSiteRecords(const std::string& address);
    // A command of the helper's menu or of the web-form menu; others are ignored.
    void RunBrowserCommand(UINT command, const WebFormTarget& target);
    // The Add Web Form dialog for a browser window or dialog, unless another web-form dialog is open.
    void OpenAddWebForm(WebFormTarget target);
    // Fills a record chosen in the web-form menu, if it is still the one listed.
    void FillChosen(const WebFormMenuItem& item, const WebFormTarget& target);
    // Prepares and tracks the web-form menu; the chosen command, 0 for none.
    UINT TrackWebFormMenu(HMENU menu, const WebFormTarget& target, const WebFormMenuPlan& plan);
    static HICON CurrentIcon();
    void OnHotKey(int id);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnOpen() { OpenTrayDlg(true); }
    void OnOpenEditor();
    void OnSelectDatabase();
    void OnLockDatabase();
    void OnAbout();
    void OnHelp() { OpenUserGuide(); }
    void OnExit();
    // Prepares and tracks the icon menu; the chosen command, 0 for none.
    UINT TrackIconMenu(HMENU menu, std::vector<TrayItem>& autoFillItems);

    ui::NotifyIcon icon_;
    bool iconShown_ = false;
    DWORD iconAddedAt_ = 0;
    std::unique_ptr<CTrayDlg> trayDlg_;
    bool trayDlgVisible_ = false;
    bool iconMenuOpen_ = false;
    bool openingTrayDlg_ = false;
    // The authentication dialog whose menu is shown once its request has returned.
    WebFormTarget pendingDialogMenu_;
};

}  // namespace kv
