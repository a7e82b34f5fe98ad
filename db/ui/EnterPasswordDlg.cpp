#include "db/ui/EnterPasswordDlg.h"

#include <algorithm>
#include <cctype>

#include "db/FileMessages.h"
#include "db/ui/PasswordFileFilter.h"
#include "db/ui/SelectPasswordDlg.h"
#include "platform/SecretString.h"
#include "resources/resource.h"
#include "uikit/AnsiText.h"
#include "uikit/Controls.h"
#include "uikit/Module.h"

namespace kv {

CEnterPasswordDlg::CEnterPasswordDlg(const PasswordPrompt& prompt, const std::string& fileFolder, FileFlowUi& ui,
                                     bool lockMode)
    : Mapped(IDD_ENTER_PASSWORD),
      prompt_(prompt),
      fileFolder_(fileFolder),
      ui_(ui),
      lockMode_(lockMode),
      attempts_(prompt.verifier) {}

CEnterPasswordDlg::~CEnterPasswordDlg() = default;

const ui::MessageMap<CEnterPasswordDlg>& CEnterPasswordDlg::Messages() {
    static const auto map = ui::MessageMap<CEnterPasswordDlg>()
                                .Control(IDC_PASSWORD, EN_CHANGE, &CEnterPasswordDlg::OnTyping)
                                .Command(IDC_BROWSE, &CEnterPasswordDlg::OnBrowse)
                                .ColorStatic(&CEnterPasswordDlg::OnColorStatic)
                                .Message(kTakeKeyboard, &CEnterPasswordDlg::OnTakeKeyboard);
    return map;
}

bool CEnterPasswordDlg::OnInitDialog() {
    std::string lower = prompt_.fileName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    SetItemText(IDC_PROMPT, "The file '" + lower + "' is password protected.\nPlease enter the password below.");
    SetItemText(IDC_REMINDER_TEXT, prompt_.reminder);
    SetItemText(IDC_ERROR_LINE, "");
    ui::Edit edit(Item(IDC_PASSWORD));
    edit.SetPasswordChar('*');
    edit.LimitText(CSelectPasswordDlg::kMaxPasswordLength);
    SetText(Text() + " - " + prompt_.fileName);
    if (lockMode_) {
        EnableItem(IDC_BROWSE, false);
        SendDlgItemMessageA(hwnd(), IDC_LOCK_ICON, STM_SETICON, reinterpret_cast<WPARAM>(ui::LoadIconAt(IDI_LOCKED, 32)),
                            0);
    }
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd());
    edit.Focus();
    // Not shown yet: once it is, it takes the foreground and the keyboard again
    // (opened from the tray no other window of the program is active).
    Post(kTakeKeyboard);
    return false;  // the focus is set
}

LRESULT CEnterPasswordDlg::OnTakeKeyboard(WPARAM, LPARAM) {
    SetForegroundWindow(hwnd());
    SetActiveWindow(hwnd());
    SetFocus(Item(IDC_PASSWORD));
    return 0;
}

void CEnterPasswordDlg::OnTyping() { SetItemText(IDC_ERROR_LINE, ""); }

void CEnterPasswordDlg::OnOK() {
    if (!ui::HoldsAnsiText(Item(IDC_PASSWORD))) {
        ui_.ShowMessage(kUnstorableText);
        ui::Edit(Item(IDC_PASSWORD)).Focus();
        return;
    }
    SecretString typed(ItemText(IDC_PASSWORD));
    switch (attempts_.Check(typed.view())) {
        case PasswordAttempts::Result::Accepted:
            password_ = typed.view();
            EndDialog(IDOK);
            return;
        case PasswordAttempts::Result::TryAgain: {
            SetItemText(IDC_ERROR_LINE, "Incorrect password");
            ui::Edit edit(Item(IDC_PASSWORD));
            edit.SelectAll();
            edit.Focus();
            return;
        }
        case PasswordAttempts::Result::NoAttemptsLeft:
            Show(SW_HIDE);
            ui_.ShowMessage("Incorrect password and this was your last attempt.");
            EndDialog(kAttemptsUsedUp);
            return;
    }
}

void CEnterPasswordDlg::OnBrowse() {
    if (std::optional<std::string> chosen =
            ui::ChooseFileToOpen(hwnd(), PasswordFileDialog("Open password file", fileFolder_, ""))) {
        chosenFile_ = *chosen;
        EndDialog(kOtherFileChosen);
    }
}

HBRUSH CEnterPasswordDlg::OnColorStatic(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    if (control == Item(IDC_ERROR_LINE)) SetTextColor(dc, RGB(255, 0, 0));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace kv
