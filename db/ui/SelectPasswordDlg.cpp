#include "db/ui/SelectPasswordDlg.h"

#include "db/FileMessages.h"
#include "db/NewFileRules.h"
#include "db/ui/PasswordFileFilter.h"
#include "generator/PasswordStrength.h"
#include "platform/SecretString.h"
#include "resources/resource.h"
#include "uikit/AnsiText.h"
#include "uikit/Controls.h"
#include "uikit/Module.h"

namespace kv {

CSelectPasswordDlg::CSelectPasswordDlg(const SelectPasswordRequest& request, const std::string& programFolder,
                                       FileSystem& files, FileFlowUi& ui)
    : Mapped(IDD_SELECT_PASSWORD), request_(request), programFolder_(programFolder), files_(files), ui_(ui) {}

const ui::MessageMap<CSelectPasswordDlg>& CSelectPasswordDlg::Messages() {
    static const auto map = ui::MessageMap<CSelectPasswordDlg>()
                                .Command(IDC_ENABLE_PROTECTION, &CSelectPasswordDlg::ApplyEnablingRule)
                                .Control(IDC_PASSWORD, EN_CHANGE, &CSelectPasswordDlg::ApplyEnablingRule)
                                .Control(IDC_PASSWORD_CONFIRM, EN_CHANGE, &CSelectPasswordDlg::ApplyEnablingRule)
                                .Control(IDC_FILE_NAME, EN_CHANGE, &CSelectPasswordDlg::ApplyEnablingRule)
                                .Command(IDC_BROWSE, &CSelectPasswordDlg::OnBrowse)
                                .Command(IDC_OPEN_EXISTING, &CSelectPasswordDlg::OnOpenExisting);
    return map;
}

bool CSelectPasswordDlg::OnInitDialog() {
    ui::Edit reminder(Item(IDC_REMINDER));
    reminder.LimitText(static_cast<int>(kMaxReminderLength));
    for (const int id : {IDC_PASSWORD, IDC_PASSWORD_CONFIRM}) {
        ui::Edit edit(Item(id));
        edit.SetPasswordChar('*');
        edit.LimitText(kMaxPasswordLength);
    }
    if (!proposal_.empty()) request_.fileName = proposal_;
    if (!request_.password.empty()) {
        SetDlgItemTextA(hwnd(), IDC_PASSWORD, request_.password.c_str());
        SetDlgItemTextA(hwnd(), IDC_PASSWORD_CONFIRM, request_.password.c_str());
        SetItemText(IDC_REMINDER, request_.reminder);
        request_.password.Clear();
    }
    SetItemText(IDC_FILE_NAME, request_.fileName);
    if (!request_.title.empty()) SetText(request_.title);
    if (request_.changeMode) {
        ShowWindow(Item(IDC_CREATE_DEFAULT_FOLDERS), SW_HIDE);
        for (const int id : {IDC_FILE_NAME, IDC_BROWSE, IDC_OPEN_EXISTING}) EnableItem(id, false);
    } else {
        Check(IDC_CREATE_DEFAULT_FOLDERS, true);
    }
    Check(IDC_ENABLE_PROTECTION, request_.protect);
    ApplyEnablingRule();
    if (GetKeyState(VK_CAPITAL) & 1) ui_.ShowWarning(ui::LoadText(IDS_CAPS_LOCK_WARNING));
    return true;
}

void CSelectPasswordDlg::ApplyEnablingRule() {
    const bool protect = IsChecked(IDC_ENABLE_PROTECTION);
    for (const int id : {IDC_PASSWORD, IDC_PASSWORD_CONFIRM, IDC_REMINDER}) EnableItem(id, protect);
    SecretString password(ItemText(IDC_PASSWORD));
    SecretString confirmation(ItemText(IDC_PASSWORD_CONFIRM));
    EnableItem(IDOK, SelectPasswordOkEnabled(protect, password.view(), confirmation.view(), ItemText(IDC_FILE_NAME)));
    SetItemText(IDC_PASSWORD_STRENGTH, protect ? MasterPasswordStrength(password.view()).line : std::string());
}

bool CSelectPasswordDlg::WeakPasswordAccepted() {
    if (!IsChecked(IDC_ENABLE_PROTECTION)) return true;
    SecretString password(ItemText(IDC_PASSWORD));
    const MasterStrength strength = MasterPasswordStrength(password.view());
    if (!strength.weak || password.empty()) return true;
    if (ui_.Ask(strength.text + "\n\nDo you want to use this password anyway?", false) == Answer::Yes) return true;
    ui::Edit(Item(IDC_PASSWORD)).Focus();
    return false;
}

void CSelectPasswordDlg::OnBrowse() {
    if (std::optional<std::string> chosen = ui::ChooseFileToSave(
            hwnd(), PasswordFileDialog("New password file", programFolder_, ItemText(IDC_FILE_NAME)), false)) {
        SetItemText(IDC_FILE_NAME, *chosen);
    }
}

void CSelectPasswordDlg::OnOpenExisting() {
    if (std::optional<std::string> chosen =
            ui::ChooseFileToOpen(hwnd(), PasswordFileDialog("Open password file", programFolder_, ""))) {
        SetItemText(IDC_FILE_NAME, *chosen);
        openExisting_ = true;
        OnOK();
    }
}

void CSelectPasswordDlg::OnOK() {
    // The system would change what the code page lacks to "?", the
    // password included: nothing is taken until the user types it again.
    for (const int id : {IDC_PASSWORD, IDC_PASSWORD_CONFIRM, IDC_REMINDER, IDC_FILE_NAME}) {
        if (!ui::HoldsAnsiText(Item(id))) {
            ui_.ShowMessage(kUnstorableText);
            ui::Edit(Item(id)).Focus();
            openExisting_ = false;
            return;
        }
    }
    // Only a new password that would be taken is questioned.
    SecretString password(ItemText(IDC_PASSWORD));
    SecretString confirmation(ItemText(IDC_PASSWORD_CONFIRM));
    if (!openExisting_ && password.view() == confirmation.view() && !WeakPasswordAccepted()) {
        openExisting_ = false;
        return;
    }
    SelectPasswordInput input;
    input.protect = IsChecked(IDC_ENABLE_PROTECTION);
    input.password = ItemText(IDC_PASSWORD);
    input.confirmation = ItemText(IDC_PASSWORD_CONFIRM);
    input.reminder = ItemText(IDC_REMINDER);
    input.fileName = ItemText(IDC_FILE_NAME);
    input.changeMode = request_.changeMode;
    input.openExisting = openExisting_;
    input.createDefaultFolders = IsChecked(IDC_CREATE_DEFAULT_FOLDERS);
    result_ = AcceptSelectPassword(input, programFolder_, files_, ui_);
    if (result_) {
        EndDialog(IDOK);
    } else {
        openExisting_ = false;
    }
}

}  // namespace kv
