#include "app/TrayWnd.h"

#include "app/PasswordApp.h"
#include "app/TrayDlg.h"
#include "desktop/AboutDlg.h"
#include "desktop/RegisteredMessages.h"
#include "editor/EditorDlg.h"
#include "resources/resource.h"
#include "uikit/Module.h"

namespace kv {
namespace {

constexpr UINT kIconId = 1;
constexpr UINT kScreenSaverPeriodMs = 3000;
// Sent to top-level windows when Explorer has started (again).
const UINT kTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

}  // namespace

CTrayWnd::CTrayWnd() : icon_(kIconId, messages::Taskbar) {}

CTrayWnd::~CTrayWnd() = default;

const ui::MessageMap<CTrayWnd>& CTrayWnd::Messages() {
    static const auto map = ui::MessageMap<CTrayWnd>()
                                .Registered(&messages::ShowDlg, &CTrayWnd::OnShowDlg)
                                .Registered(&messages::Shutdown, &CTrayWnd::OnShutdown)
                                .Registered(&messages::IePopup, &CTrayWnd::OnIePopup)
                                .Registered(&messages::Taskbar, &CTrayWnd::OnTaskbar)
                                .Registered(&kTaskbarCreated, &CTrayWnd::OnTaskbarCreated)
                                .Registered(&messages::BhoForm, &CTrayWnd::OnBhoForm)
                                .Registered(&messages::BhoFill, &CTrayWnd::OnBhoFill)
                                .Registered(&messages::BhoCommand, &CTrayWnd::OnBhoCommand)
                                .Registered(&messages::FillForm, &CTrayWnd::OnFillForm)
                                .Message(WM_COPYDATA, &CTrayWnd::OnCopyData)
                                .Message(kDialogMenuMessage, &CTrayWnd::OnDialogMenu)
                                .HotKey(&CTrayWnd::OnHotKey)
                                .Timer(&CTrayWnd::OnTimer)
                                .Message(WM_DESTROY, &CTrayWnd::OnDestroy)
                                .Command(ID_TRAY_OPEN, &CTrayWnd::OnOpen)
                                .Command(ID_OPEN_EDITOR, &CTrayWnd::OnOpenEditor)
                                .Command(ID_SELECT_DATABASE, &CTrayWnd::OnSelectDatabase)
                                .Command(ID_LOCK_DATABASE, &CTrayWnd::OnLockDatabase)
                                .Command(ID_TRAY_HELP, &CTrayWnd::OnHelp)
                                .Command(ID_ABOUT, &CTrayWnd::OnAbout)
                                .Command(ID_EXIT, &CTrayWnd::OnExit);
    return map;
}

bool CTrayWnd::Create() {
    if (!RegisterClass(kClassName)) return false;
    if (!ui::Window::Create(kClassName, "Kelvandor", 0, WS_EX_TOOLWINDOW, RECT{0, 0, 0, 0}, nullptr)) return false;
    UpdateTimers();
    return true;
}

HICON CTrayWnd::CurrentIcon() { return ui::LoadIconAt(App().Locked ? IDI_LOCKED : IDI_KELVANDOR, 16); }

bool CTrayWnd::AddIcon() {
    iconShown_ = true;
    iconAddedAt_ = GetTickCount();
    const bool added = icon_.Add(hwnd(), CurrentIcon(), "Kelvandor");
    UpdateTimers();
    App().RegisterLockHotKey(true, 0, 0);
    return added;
}

void CTrayWnd::UpdateIcon() {
    if (iconShown_) icon_.Modify(hwnd(), CurrentIcon());
}

LRESULT CTrayWnd::OnTaskbarCreated(WPARAM, LPARAM) {
    // A new Explorer has an empty notification area: the icon goes back in.
    if (iconShown_) icon_.Add(hwnd(), CurrentIcon(), "Kelvandor");
    return 0;
}

void CTrayWnd::RemoveIcon() {
    iconShown_ = false;
    icon_.Remove(hwnd());
}

void CTrayWnd::UpdateTimers() {
    const AppSettings& settings = App().Settings;
    if (iconShown_ && settings.CheckScreenSaver != 0) {
        SetTimer(hwnd(), kScreenSaverTimer, kScreenSaverPeriodMs, nullptr);
    } else {
        KillTimer(hwnd(), kScreenSaverTimer);
    }
    // Copied values are cleared wherever the program runs, editor or not.
    if (settings.ClearClipboard != 0) {
        SetTimer(hwnd(), kClipboardTimer, ClearDelaySeconds(settings) * 1000, nullptr);
    } else {
        KillTimer(hwnd(), kClipboardTimer);
    }
}

void CTrayWnd::OpenTrayDlg(bool show) {
    if (openingTrayDlg_) return;
    openingTrayDlg_ = true;
    CPasswordApp& app = App();
    const bool ready = app.EnsureDatabaseLoaded() && (!app.Locked || app.Unlock());
    if (ready) {
        trayDlgVisible_ = true;
        if (!trayDlg_) {
            trayDlg_ = std::make_unique<CTrayDlg>();
            if (!trayDlg_->CreateModeless(GetDesktopWindow())) trayDlg_.reset();
        } else if (trayDlg_->hwnd() != nullptr) {
            trayDlg_->RebuildIfStale();
        }
        if (show && trayDlg_) {
            trayDlg_->FillSearchTexts();
            trayDlg_->Show(SW_SHOW);
            SetForegroundWindow(trayDlg_->hwnd());
            RedrawWindow(trayDlg_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
    openingTrayDlg_ = false;
}

void CTrayWnd::HideTrayDlg() {
    if (iconMenuOpen_) return;
    trayDlgVisible_ = false;
    if (trayDlg_ && trayDlg_->hwnd() != nullptr) trayDlg_->Show(SW_HIDE);
}

void CTrayWnd::ConcealTrayDlg() {
    trayDlgVisible_ = false;
    if (trayDlg_ && trayDlg_->hwnd() != nullptr) {
        trayDlg_->CloseCompanions();
        trayDlg_->Show(SW_HIDE);
    }
}

void CTrayWnd::RefreshTrayDlg() {
    if (trayDlg_ && trayDlg_->hwnd() != nullptr) trayDlg_->Rebuild();
}

void CTrayWnd::MarkTrayDlgStale() {
    if (trayDlg_) trayDlg_->MarkStale();
}

LRESULT CTrayWnd::OnShowDlg(WPARAM, LPARAM) {
    App().ShowEditor();
    return 1;
}

LRESULT CTrayWnd::OnShutdown(WPARAM, LPARAM) {
    // 0: this instance is ending; 1: it stays (the user kept it, or its save failed).
    return App().Exit(true) ? 0 : 1;
}

LRESULT CTrayWnd::OnTaskbar(WPARAM, LPARAM lParam) {
    switch (lParam) {
        case WM_LBUTTONUP:
            OpenTrayDlg(true);
            break;
        case WM_RBUTTONDOWN:
            iconMenuOpen_ = true;
            break;
        case WM_RBUTTONUP:
            ShowIconMenu();
            break;
        default:
            break;
    }
    return 0;
}

void CTrayWnd::OnHotKey(int) {
    App().ToggleLock();
}

void CTrayWnd::OnTimer(UINT_PTR id) {
    CPasswordApp& app = App();
    if (id == kScreenSaverTimer && app.Settings.CheckScreenSaver != 0 && !app.Locked && app.IsScreenSaverRunning()) {
        app.Lock();
    } else if (id == kClipboardTimer && app.Settings.ClearClipboard != 0) {
        app.ClearClipboardIfDue();
    } else if (id == kClearBlockTimer) {
        KillTimer(hwnd(), kClearBlockTimer);
        app.SharedBlock().Clear();
    }
}

void CTrayWnd::OnDestroy() {
    KillTimer(hwnd(), kScreenSaverTimer);
    KillTimer(hwnd(), kClipboardTimer);
    KillTimer(hwnd(), kClearBlockTimer);
    if (trayDlg_ && trayDlg_->hwnd() != nullptr) trayDlg_->Destroy();
    if (iconShown_) RemoveIcon();
}

void CTrayWnd::OnOpenEditor() { App().ShowEditor(); }

void CTrayWnd::OnLockDatabase() { App().ToggleLock(); }

void CTrayWnd::OnAbout() { CAboutDlg().DoModal(nullptr); }

void CTrayWnd::OnExit() {
    App().SaveAppSettings();
    App().Exit(false);
}

void CTrayWnd::OnSelectDatabase() { App().SelectDatabase(); }

}  // namespace kv
