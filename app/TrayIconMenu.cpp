// The notification icon's menu (205) with its AutoFill submenu.
#include "app/PasswordApp.h"
#include "app/TrayDlg.h"
#include "app/TrayWnd.h"
#include "desktop/RegisteredMessages.h"
#include "resources/resource.h"
#include "uikit/Module.h"
#include "uikit/PopupMenu.h"

namespace kv {
namespace {

constexpr int kAutoFillPosition = 6;

void AppendEntries(HMENU menu, const std::vector<AutoFillEntry>& entries, std::vector<TrayItem>& items) {
    for (const AutoFillEntry& entry : entries) {
        if (entry.popup) {
            HMENU popup = CreatePopupMenu();
            AppendEntries(popup, entry.children, items);
            AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), entry.text.c_str());
            continue;
        }
        const UINT id = kFirstAutoFillCommand + static_cast<UINT>(items.size());
        AppendMenuA(menu, MF_STRING | (entry.columnBreak ? MF_MENUBARBREAK : 0), id, entry.text.c_str());
        items.push_back(entry.item);
    }
}

}  // namespace

std::vector<TrayItem> FillAutoFillMenu(HMENU autoFill, const AutoFillMenu& layout) {
    std::vector<TrayItem> items;
    AppendEntries(autoFill, layout.folders, items);
    HMENU allSites = GetSubMenu(autoFill, 0);
    DeleteMenu(allSites, ID_ALL_SITES, MF_BYCOMMAND);
    AppendEntries(allSites, layout.allSites, items);
    return items;
}

void CTrayWnd::ShowIconMenu() {
    iconMenuOpen_ = true;
    const ui::PopupMenu menu(IDR_TRAY_MENU);
    std::vector<TrayItem> autoFillItems;
    const UINT command = TrackIconMenu(menu.get(), autoFillItems);
    Post(WM_NULL);
    if (trayDlg_ && trayDlg_->hwnd() != nullptr && trayDlgVisible_) SetActiveWindow(trayDlg_->hwnd());
    iconMenuOpen_ = false;
    if (command >= kFirstAutoFillCommand && command - kFirstAutoFillCommand < autoFillItems.size()) {
        const TrayItem& item = autoFillItems[command - kFirstAutoFillCommand];
        const int folder = trayDlg_->tree().model().FolderOf(item.node);
        if (folder >= 0) Post(messages::FillForm, static_cast<WPARAM>(folder), item.record);
    } else if (command != 0) {
        Send(WM_COMMAND, command);
    }
}

UINT CTrayWnd::TrackIconMenu(HMENU menu, std::vector<TrayItem>& autoFillItems) {
    CPasswordApp& app = App();
    SetMenuDefaultItem(menu, ID_TRAY_OPEN, FALSE);
    const bool open = app.Database.FileLoaded != 0 && !app.Database.FilePath.empty();
    EnableMenuItem(menu, ID_LOCK_DATABASE, MF_BYCOMMAND | (open && app.CanLock() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, ID_LOCK_DATABASE, MF_BYCOMMAND | (app.Locked ? MF_CHECKED : MF_UNCHECKED));
    if (!open || app.Locked) {
        EnableMenuItem(menu, kAutoFillPosition, MF_BYPOSITION | MF_GRAYED);
    } else {
        if (!trayDlg_) OpenTrayDlg(false);
        if (trayDlg_) {
            trayDlg_->RebuildIfStale();
            autoFillItems = FillAutoFillMenu(GetSubMenu(menu, kAutoFillPosition),
                                             BuildAutoFillMenu(trayDlg_->tree().model()));
        }
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(hwnd());
    return static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, hwnd(), nullptr));
}

}  // namespace kv
