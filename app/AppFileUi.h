// The user interface of the file layer and of the file flows in the
// program: the message box, the wait cursor, the password dialogs and the
// system's file dialogs.
#pragma once

#include <windows.h>

#include "db/FileFlows.h"
#include "uikit/Dialog.h"

namespace kv {

class AppFileUi : public FileFlowUi {
public:
    void ShowMessage(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    Answer Ask(const std::string& question, bool allowCancel) override;
    void SetWaitCursor(bool waiting) override;
    PasswordAnswer AskPassword(const PasswordPrompt& prompt) override;
    std::optional<SelectPasswordResult> SelectPassword(const SelectPasswordRequest& request) override;
    std::optional<std::string> ChooseFileToOpen(const std::string& initialFolder,
                                                const std::string& initialName) override;
    std::optional<std::string> ChooseSaveAsName(const std::string& initialFolder,
                                                const std::string& initialName) override;
    void BringPromptForward() override;

    // The "Enter password" dialog in lock mode; true when the right password was typed.
    bool AskUnlock(const PasswordPrompt& prompt);

private:
    // Runs a password prompt modally, known as the open prompt meanwhile.
    INT_PTR RunPrompt(ui::Dialog& prompt, HWND owner);

    ui::Dialog* openPrompt_ = nullptr;
    int waitDepth_ = 0;
    HCURSOR previous_ = nullptr;
};

}  // namespace kv
