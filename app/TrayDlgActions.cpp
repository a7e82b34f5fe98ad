// What the tray dialog does with its items: copy, type into the window that
// was active before, open in the editor, search, and the item menu.
#include <windows.h>
#include <shellapi.h>

#include <array>

#include "app/NotesPopup.h"
#include "app/NotesText.h"
#include "app/PasswordApp.h"
#include "app/TrayDlg.h"
#include "db/RichText.h"
#include "desktop/Clipboard.h"
#include "desktop/MessageBox.h"
#include "desktop/RegisteredMessages.h"
#include "desktop/WindowBeside.h"
#include "desktop/WindowPlacement.h"
#include "editor/EditorDlg.h"
#include "hooklib/KelvandorKey.h"
#include "platform/SecretString.h"
#include "platform/Win32Error.h"
#include "resources/resource.h"
#include "uikit/Module.h"
#include "uikit/PopupMenu.h"
#include "uikit/RichEdit.h"
#include "uikit/ThreadInput.h"

namespace kv {
namespace {

constexpr int kTitleLength = 333;
constexpr DWORD kInputWaitMs = 2000;
constexpr DWORD kForegroundWaitMs = 1000;

struct TargetSearch {
    HWND exclude;
    HWND found;
};

// The first top-level window in Z order that a user would call an
// application window: visible, no child, no tool window, with a title.
BOOL CALLBACK TakeFirstApplicationWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TargetSearch*>(data);
    if (window == search.exclude || !IsWindowVisible(window)) return TRUE;
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0) return TRUE;
    if ((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return TRUE;
    char title[kTitleLength + 1] = {};
    if (GetWindowTextA(window, title, sizeof title) <= 0) return TRUE;
    search.found = window;
    return FALSE;
}

// Keystrokes wait in the input that the attached threads share and go to
// whichever window has the focus when they are read, so the tray dialog may
// take the focus back only once the target has read them all. Every key
// event read changes the shared key state: wait until it stays the same
// across a few trips through the target's message loop (bounded in time, so
// a hung target cannot hold the dialog).
void WaitForTypedKeys(HWND target) {
    constexpr int kQuietTrips = 3;
    constexpr DWORD kTripPauseMs = 10;
    std::array<BYTE, 256> seen{};
    std::array<BYTE, 256> now{};
    GetKeyboardState(seen.data());
    const DWORD start = GetTickCount();
    for (int quiet = 0; quiet < kQuietTrips && GetTickCount() - start < kInputWaitMs;) {
        DWORD_PTR ignored = 0;
        if (SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kInputWaitMs, &ignored) == 0) return;
        Sleep(kTripPauseMs);
        GetKeyboardState(now.data());
        quiet = now == seen ? quiet + 1 : 0;
        seen = now;
    }
}

// The window system may finish a change of foreground window only after it
// has handled its own events, and keys typed before then go to whichever
// window still has the keyboard: a secret must not. Waits (bounded) until the
// target is the foreground window, asking once more half-way.
bool BringToForeground(HWND target) {
    const DWORD start = GetTickCount();
    bool askedAgain = false;
    for (;;) {
        if (GetForegroundWindow() == target) return true;
        const DWORD waited = GetTickCount() - start;
        if (waited >= kForegroundWaitMs) return false;
        if (!askedAgain && waited >= kForegroundWaitMs / 2) {
            SetForegroundWindow(target);
            askedAgain = true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

void CTrayDlg::CopySelection() {
    SecretString value(tree_.model().Value(tree_.SelectedItem()));
    if (tree_.Selection() != nullptr) CopyToClipboard(value.view());
}

HWND CTrayDlg::FindPasteTarget() const {
    TargetSearch search{hwnd(), nullptr};
    EnumWindows(TakeFirstApplicationWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CTrayDlg::PasteToApplication() {
    pasting_ = true;
    if (HWND target = FindPasteTarget()) {
        const ui::AttachedThreadInput input(target);
        SetForegroundWindow(target);
        SetActiveWindow(target);
        // Let the target handle its activation first, so that the keys go to
        // the field it gives the focus back to and not to its frame.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kInputWaitMs, &ignored);
        const SecretString text = tree_.Selection() != nullptr
                                      ? tree_.model().TypedText(tree_.SelectedItem(), App().Settings.SendTab != 0)
                                      : SecretString();
        if (!text.empty()) {
            if (BringToForeground(target)) {
                SendKeys(target, text.c_str());
                if (input.attached()) WaitForTypedKeys(target);
            } else {
                MessageBeep(MB_ICONEXCLAMATION);
            }
        }
    }
    SetActiveWindow(hwnd());
    SetForegroundWindow(hwnd());
    pasting_ = false;
}

void CTrayDlg::OpenEditorAtSelection() {
    const TrayItem item = tree_.SelectedItem();
    const bool selected = tree_.Selection() != nullptr;
    CPasswordApp& app = App();
    app.ShowEditor();
    CEditorDlg* editor = app.Editor();
    if (!selected || editor == nullptr || editor->hwnd() == nullptr) return;
    const int folder = tree_.model().FolderOf(item.node);
    if (folder < 0) return;
    if (tree_.model().RecordOf(item) != nullptr) {
        editor->view().ShowRecord(folder, item.record, tree_.model().CellOf(item).slot);
    } else {
        editor->view().tree().SelectFolder(folder);
    }
}

void CTrayDlg::FillSearchTexts() {
    ui::ComboBox combo(Item(IDC_TRAY_SEARCH_TEXT));
    combo.Clear();
    for (const std::string& text : App().Database.SearchItemHistory) combo.Add(text);
    if (combo.Count() > 0) combo.Select(0);
}

void CTrayDlg::CloseCompanions() {
    searchDialog_.reset();
    notes_.reset();
}

void CTrayDlg::OnSearchListClosed() { search_.Enable(true); }

void CTrayDlg::OnSearch() {
    if (searchDialog_ && searchDialog_->hwnd() != nullptr) {
        SetForegroundWindow(searchDialog_->hwnd());
        return;
    }
    CPasswordApp& app = App();
    searchDialog_ = std::make_unique<CSearchDlg>(CSearchDlg::Mode::Tray, app.Database.SearchItemHistory,
                                                 app.Settings.SearchOptions, *this);
    if (!searchDialog_->CreateModeless(hwnd())) return;
    // Beside the tree, which shows the hits, on the work area.
    const ScreenRect tree = ScreenRectOf(tree_.hwnd());
    const ScreenRect own = ScreenRectOf(searchDialog_->hwnd());
    const ScreenPoint at = PlaceBeside(tree, own.right - own.left, own.bottom - own.top,
                                       WorkAreaAt(POINT{tree.left, tree.top}));
    SetWindowPos(searchDialog_->hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    searchDialog_->Show(SW_SHOW);
}

void CTrayDlg::SearchClosed() { FillSearchTexts(); }

void CTrayDlg::FindText(const std::string& text) {
    CPasswordApp& app = App();
    const TrayItem from = tree_.Selection() != nullptr ? tree_.SelectedItem() : TrayItem{};
    const TrayItem found = tree_.model().Find(from, text, app.Settings.SearchOptions);
    if (found.node == FolderTreeModel::kRoot) {
        ShowMessage("Search item was not found.");
        return;
    }
    tree_.Reveal(found);
}

LRESULT CTrayDlg::OnTreeDoubleClick(NMHDR&) {
    HTREEITEM selected = tree_.Selection();
    if (App().Settings.DoubleClick == 0 || selected == nullptr || tree_.model().HasChildren(tree_.ItemOf(selected))) {
        return FALSE;
    }
    PasteToApplication();
    return TRUE;
}

LRESULT CTrayDlg::OnTreeRightClick(NMHDR&) {
    POINT cursor{};
    GetCursorPos(&cursor);
    HTREEITEM handle = tree_.ItemAt(cursor);
    if (handle == nullptr) return TRUE;
    tree_.Select(handle);
    const TrayItem item = tree_.ItemOf(handle);
    const Record* record = tree_.model().RecordOf(item);
    const ui::PopupMenu popup(IDR_TRAY_ITEM_MENU);
    HMENU menu = popup.get();
    SetMenuDefaultItem(menu, ID_COPY_TO_CLIPBOARD, FALSE);
    const auto enable = [menu](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
    enable(ID_LAUNCH_SITE, record != nullptr && !record->fields[kUrl].empty());
    enable(ID_LAUNCH_EMAIL, record != nullptr && !record->fields[kEmail].empty());
    enable(ID_DISPLAY_NOTES, record != nullptr && !PlainTextOf(record->fields[kNotes]).empty());
    enable(ID_AUTOFILL_FORM, record != nullptr && !record->formData.empty());
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    return TRUE;
}

void CTrayDlg::Launch(const std::string& target) {
    SHELLEXECUTEINFOA launch{};
    launch.cbSize = sizeof launch;
    launch.fMask = SEE_MASK_FLAG_NO_UI;
    launch.lpVerb = "open";
    launch.lpFile = target.c_str();
    launch.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&launch)) return;
    const DWORD error = GetLastError();
    ShowMessage("Unable to launch " + target + ".\n\nThe system error code is:\n\n" + SystemErrorText(error));
}

void CTrayDlg::OnLaunchSite() {
    if (const Record* record = tree_.model().RecordOf(tree_.SelectedItem())) Launch(record->fields[kUrl]);
}

void CTrayDlg::OnLaunchEmail() {
    if (const Record* record = tree_.model().RecordOf(tree_.SelectedItem())) Launch("mailto:" + record->fields[kEmail]);
}

void CTrayDlg::OnDisplayNotes() {
    const Record* record = tree_.model().RecordOf(tree_.SelectedItem());
    if (record == nullptr) return;
    const SecretString notes = NotesPopupText(record->fields[kNotes]);
    const RECT item = tree_.ItemTextRect(tree_.Selection());
    POINT at{item.left, item.bottom};
    ClientToScreen(tree_.hwnd(), &at);
    notes_ = std::make_unique<CNotesPopup>();
    notes_->Open(hwnd(), notes.c_str(), at);
}

void CTrayDlg::OnAutoFillForm() {
    const TrayItem item = tree_.SelectedItem();
    const int folder = tree_.model().FolderOf(item.node);
    if (folder >= 0 && tree_.model().RecordOf(item) != nullptr) {
        App().Tray().Post(messages::FillForm, static_cast<WPARAM>(folder), item.record);
    }
}

}  // namespace kv
