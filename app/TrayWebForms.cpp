// The tray window's answers to the browser helper: the records of a site in
// the shared block, the AutoFill offer for a loaded page, fills, the helper's
// menu commands, and the program's own web-form menu. Every request may come
// from any process: sizes, indexes and windows are checked before use.
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>

#include "app/BrowserWindows.h"
#include "app/PasswordApp.h"
#include "app/TrayWnd.h"
#include "desktop/MessageBox.h"
#include "protocol/CopyDataRecord.h"
#include "protocol/SharedBlock.h"
#include "resources/resource.h"
#include "uikit/PopupMenu.h"
#include "uikit/ThreadInput.h"
#include "webforms/BrowserConnection.h"

namespace kv {
namespace {

static_assert(ID_WEBFORM_OPEN_PROGRAM == protocol::kCommandOpenProgram);
static_assert(ID_LOCK_DATABASE == protocol::kCommandLock);
static_assert(ID_WEBFORM_ADD == protocol::kCommandAddWebForm);
static_assert(ID_WEBFORM_AUTOFILL_POPUP == protocol::kCommandAutoFillPopup);

const char kAutoFillPopupOpenMessage[] =
    "Please cancel the Auto-fill Web Form dialog before adding/filling new forms.";

constexpr int kAutoFillPosition = 4;   // "Auto&Fill form" in the menu
constexpr LONG kDialogMenuOffset = 8;  // the menu for a dialog opens this far into it

// The page address of a browser window, empty when no browser owns it.
std::string AddressOf(HWND browser) {
    CBrowserConnection connection;
    return connection.AttachToWindow(browser) ? connection.GetLocationURL() : std::string();
}

// A folder or record index as a message parameter carries it.
std::optional<int> IndexOf(std::uint64_t value) {
    if (value > static_cast<std::uint64_t>(INT_MAX)) return std::nullopt;
    return static_cast<int>(value);
}

// The 32 bits a message parameter carries from a process of either width
// (sign- or zero-extended); nothing when more is set.
std::optional<std::uint32_t> Field32(LPARAM value) {
    const auto wide = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
    const std::uint64_t upper = wide >> 32;
    if (upper != 0 && upper != 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(wide);
}

HWND TargetWindow(const WebFormTarget& target) { return target.dialog != nullptr ? target.dialog : target.browser; }

}  // namespace

LRESULT CTrayWnd::OnCopyData(WPARAM, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->dwData != 0) return FALSE;
    const std::optional<protocol::CopyDataRecord> request = protocol::DecodeCopyData(data->lpData, data->cbData);
    if (!request) return FALSE;
    CPasswordApp& app = App();
    HWND browser = WindowOfField(request->browserWindow);
    if (request->kind == protocol::CopyDataKind::ContextMenu) {
        if (!app.IsBrowserWindow(browser)) return FALSE;
        ListSiteRecords(request->address);
        return TRUE;
    }
    HWND dialog = WindowOfField(request->dialogWindow);
    if (request->address.empty() || !app.IsBrowserWindow(dialog)) return FALSE;
    // The menu shows once the request has returned, so that the browser's
    // thread is not held while the user chooses.
    pendingDialogMenu_ = {app.IsBrowserWindow(browser) ? browser : nullptr, dialog, request->address};
    Post(kDialogMenuMessage);
    return TRUE;
}

void CTrayWnd::ListSiteRecords(const std::string& address) {
    CPasswordApp& app = App();
    unsigned char* view = app.SharedBlock().data();
    if (view == nullptr) return;
    auto& block = *reinterpret_cast<unsigned char(*)[protocol::kSharedBlockSize]>(view);
    std::vector<protocol::SiteEntry> entries;
    if (app.FileOpen() && !app.Locked) entries = SiteEntriesOf(app.Database, address);
    protocol::WriteSiteEntries(block, entries);
    // The helper reads the block as soon as its request returns; the list
    // does not stay there for every other process to read.
    SetTimer(hwnd(), kClearBlockTimer, kClearBlockDelayMs, nullptr);
}

LRESULT CTrayWnd::OnDialogMenu(WPARAM, LPARAM) {
    const WebFormTarget target = std::exchange(pendingDialogMenu_, {});
    if (target.dialog != nullptr && IsWindow(target.dialog)) ShowWebFormMenu(target);
    return 0;
}

LRESULT CTrayWnd::OnIePopup(WPARAM wParam, LPARAM) {
    HWND browser = WindowOfField(wParam);
    if (App().IsBrowserWindow(browser)) ShowWebFormMenu({browser, nullptr, AddressOf(browser)});
    return 1;
}

LRESULT CTrayWnd::OnBhoForm(WPARAM wParam, LPARAM lParam) {
    CPasswordApp& app = App();
    if (wParam == protocol::kFillEnded && lParam == 0) {
        app.EndFill();
        return 0;
    }
    HWND browser = WindowOfField(wParam);
    if (!app.IsBrowserWindow(browser)) return 0;
    const std::string address = AddressOf(browser);
    if (address.empty()) return 0;
    switch (DecideAutoFillOffer(app.WebFormState(), app.Database, address)) {
        case AutoFillOffer::Nothing:
            break;
        case AutoFillOffer::AddWebForm:
            app.WebFormWindows().OpenAddWebForm({browser, nullptr, address});
            break;
        case AutoFillOffer::AutoFillPopup:
            app.WebFormWindows().OpenAutoFillPopup(browser, true);
            break;
    }
    return 0;
}

LRESULT CTrayWnd::OnBhoFill(WPARAM wParam, LPARAM lParam) {
    HWND browser = WindowOfField(wParam);
    const std::optional<std::uint32_t> target = Field32(lParam);
    if (!target || !App().IsBrowserWindow(browser)) return 0;
    CBrowserConnection connection;
    if (!connection.AttachToWindow(browser)) return 0;
    App().FillRecord(static_cast<int>(protocol::FillFolder(*target)), static_cast<int>(protocol::FillRecord(*target)),
                     &connection, 0);
    return 0;
}

LRESULT CTrayWnd::OnBhoCommand(WPARAM wParam, LPARAM lParam) {
    CPasswordApp& app = App();
    if (wParam == protocol::kStateQuery) return protocol::LockItemState(app.FileOpen() && app.CanLock(), app.Locked);
    HWND browser = WindowOfField(static_cast<std::uint64_t>(lParam));
    if (wParam <= 0xFFFFu && app.IsBrowserWindow(browser)) {
        RunBrowserCommand(static_cast<UINT>(wParam), {browser, nullptr, {}});
    }
    return 0;
}

LRESULT CTrayWnd::OnFillForm(WPARAM wParam, LPARAM lParam) {
    const std::optional<int> folder = IndexOf(wParam);
    const std::optional<int> record = IndexOf(static_cast<std::uint64_t>(lParam));
    if (folder && record) App().FillRecord(*folder, *record, nullptr, 0);
    return 0;
}

void CTrayWnd::RunBrowserCommand(UINT command, const WebFormTarget& target) {
    CPasswordApp& app = App();
    switch (command) {
        case protocol::kCommandOpenProgram: {
            const ui::AttachedThreadInput input(TargetWindow(target));
            app.ShowEditor();
            break;
        }
        case protocol::kCommandLock: {
            const ui::AttachedThreadInput input(TargetWindow(target));
            app.ToggleLock();
            break;
        }
        case protocol::kCommandAddWebForm:
            OpenAddWebForm(target);
            break;
        case protocol::kCommandAutoFillPopup:
            if (!app.Locked && target.browser != nullptr) app.WebFormWindows().OpenAutoFillPopup(target.browser, false);
            break;
        default:
            break;
    }
}

void CTrayWnd::OpenAddWebForm(WebFormTarget target) {
    CPasswordApp& app = App();
    WebFormDialogs& dialogs = app.WebFormWindows();
    if (dialogs.IsAutoFillPopupOpen()) {
        ShowMessage(kAutoFillPopupOpenMessage);
        return;
    }
    if (dialogs.IsAddWebFormOpen() || app.Locked) return;
    if (target.address.empty() && target.browser != nullptr) target.address = AddressOf(target.browser);
    dialogs.OpenAddWebForm(target);
    if (IsWindow(TargetWindow(target))) SetForegroundWindow(TargetWindow(target));
}

void CTrayWnd::ShowWebFormMenu(const WebFormTarget& target) {
    CPasswordApp& app = App();
    // After a start from the tray the file is only named: it is read now,
    // with its password prompt, as the tray dialog reads it.
    if (!app.EnsureDatabaseLoaded()) return;
    const WebFormMenuPlan plan = PlanWebFormMenu(app.WebFormState(), app.FileOpen() && app.CanLock(), app.Database,
                                                 target.address, target.dialog != nullptr);
    if (!plan.show) return;
    const ui::PopupMenu menu(IDR_WEBFORM_MENU);
    if (menu.get() == nullptr) return;
    const UINT command = TrackWebFormMenu(menu.get(), target, plan);
    Post(WM_NULL);
    if (command >= ID_WEBFORM_FIRST_RECORD && command - ID_WEBFORM_FIRST_RECORD < plan.records.size()) {
        FillChosen(plan.records[command - ID_WEBFORM_FIRST_RECORD], target);
    } else {
        RunBrowserCommand(command, target);
    }
}

void CTrayWnd::FillChosen(const WebFormMenuItem& item, const WebFormTarget& target) {
    CPasswordApp& app = App();
    const int folder = static_cast<int>(protocol::FillFolder(item.data));
    const int record = static_cast<int>(protocol::FillRecord(item.data));
    // The menu ran a message loop: the record must still be the one listed.
    const Record* listed = RecordAt(app.Database, folder, record);
    if (listed == nullptr || listed->fields[kDescription] != item.text) return;
    if (target.dialog != nullptr) {
        app.FillAuthDialog(folder, record, target.dialog, target.address);
        return;
    }
    CBrowserConnection connection;
    if (connection.AttachToWindow(target.browser)) app.FillRecord(folder, record, &connection, 0);
}

UINT CTrayWnd::TrackWebFormMenu(HMENU menu, const WebFormTarget& target, const WebFormMenuPlan& plan) {
    HMENU autoFill = GetSubMenu(menu, kAutoFillPosition);
    if (!plan.keepPopupItems) {
        DeleteMenu(autoFill, 1, MF_BYPOSITION);
        DeleteMenu(autoFill, 0, MF_BYPOSITION);
    }
    for (std::size_t i = 0; i < plan.records.size(); ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA;
        item.wID = ID_WEBFORM_FIRST_RECORD + static_cast<UINT>(i);
        item.dwItemData = plan.records[i].data;
        std::string text = plan.records[i].text;
        item.dwTypeData = text.data();
        InsertMenuItemA(autoFill, GetMenuItemCount(autoFill), TRUE, &item);
    }
    if (!plan.autoFillEnabled) EnableMenuItem(menu, kAutoFillPosition, MF_BYPOSITION | MF_GRAYED);
    EnableMenuItem(menu, ID_LOCK_DATABASE, MF_BYCOMMAND | (plan.lockEnabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, ID_LOCK_DATABASE, MF_BYCOMMAND | (plan.lockChecked ? MF_CHECKED : MF_UNCHECKED));
    if (!plan.addAndPopupEnabled) {
        EnableMenuItem(menu, ID_WEBFORM_ADD, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(menu, ID_WEBFORM_AUTOFILL_POPUP, MF_BYCOMMAND | MF_GRAYED);
    }
    POINT at{};
    RECT dialog{};
    if (target.dialog != nullptr && GetWindowRect(target.dialog, &dialog)) {
        at = {dialog.left + kDialogMenuOffset, dialog.top + kDialogMenuOffset};
    } else {
        GetCursorPos(&at);
    }
    const ui::AttachedThreadInput input(TargetWindow(target));
    SetForegroundWindow(hwnd());
    return static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr));
}

}  // namespace kv
