// "Enter password" (template 216): the master password of a protected file,
// checked against its verifier, with three attempts.
#pragma once

#include <string>

#include "db/FileFlows.h"
#include "db/Verifier.h"
#include "uikit/Dialog.h"
#include "uikit/MessageMap.h"

namespace kv {

class CEnterPasswordDlg : public ui::Mapped<CEnterPasswordDlg, ui::Dialog> {
public:
    // The dialog's results besides IDOK and IDCANCEL.
    static constexpr INT_PTR kAttemptsUsedUp = 3;
    static constexpr INT_PTR kOtherFileChosen = 4;

    CEnterPasswordDlg(const PasswordPrompt& prompt, const std::string& fileFolder, FileFlowUi& ui,
                      bool lockMode = false);
    ~CEnterPasswordDlg() override;

    const SecretString& password() const { return password_; }
    const std::string& chosenFile() const { return chosenFile_; }

    static const ui::MessageMap<CEnterPasswordDlg>& Messages();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    static constexpr UINT kTakeKeyboard = WM_APP + 1;
    LRESULT OnTakeKeyboard(WPARAM, LPARAM);
    void OnTyping();
    void OnBrowse();
    HBRUSH OnColorStatic(HDC dc, HWND control);

    PasswordPrompt prompt_;
    std::string fileFolder_;
    FileFlowUi& ui_;
    bool lockMode_;
    PasswordAttempts attempts_;
    SecretString password_;
    std::string chosenFile_;
};

}  // namespace kv
