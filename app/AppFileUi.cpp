#include "app/AppFileUi.h"

#include <shlobj.h>

#include "app/PasswordApp.h"
#include "db/ui/EnterPasswordDlg.h"
#include "db/ui/PasswordFileFilter.h"
#include "db/ui/SelectPasswordDlg.h"
#include "desktop/MessageBox.h"
#include "editor/EditorDlg.h"
#include "platform/FileSystem.h"
#include "resources/resource.h"
#include "uikit/Module.h"

namespace kv {
namespace {

// The visible editor window, to own the dialogs; none otherwise.
HWND DialogOwner() {
    const CEditorDlg* editor = App().Editor();
    return editor != nullptr && editor->hwnd() != nullptr && editor->IsVisible() ? editor->hwnd() : nullptr;
}

std::string DocumentsFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return std::string(path) + "\\";
}

}  // namespace

void AppFileUi::ShowMessage(const std::string& text) { kv::ShowMessage(text, MB_OK); }

void AppFileUi::ShowWarning(const std::string& text) { kv::ShowMessage(text, MB_OK | MB_ICONWARNING); }

Answer AppFileUi::Ask(const std::string& question, bool allowCancel) {
    switch (kv::ShowMessage(question, allowCancel ? MB_YESNOCANCEL : MB_YESNO)) {
        case IDYES: return Answer::Yes;
        case IDNO: return Answer::No;
        default: return allowCancel ? Answer::Cancel : Answer::No;
    }
}

void AppFileUi::SetWaitCursor(bool waiting) {
    if (waiting) {
        if (waitDepth_++ == 0) previous_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    } else if (waitDepth_ > 0 && --waitDepth_ == 0) {
        SetCursor(previous_ != nullptr ? previous_ : LoadCursor(nullptr, IDC_ARROW));
    }
}

PasswordAnswer AppFileUi::AskPassword(const PasswordPrompt& prompt) {
    CEnterPasswordDlg dialog(prompt, FolderOf(App().Database.FilePath), *this);
    PasswordAnswer answer;
    switch (RunPrompt(dialog, DialogOwner())) {
        case IDOK:
            answer.outcome = PasswordAnswer::Outcome::Accepted;
            answer.password = dialog.password();
            break;
        case CEnterPasswordDlg::kOtherFileChosen:
            answer.outcome = PasswordAnswer::Outcome::OtherFile;
            answer.path = dialog.chosenFile();
            break;
        default:
            break;
    }
    return answer;
}

bool AppFileUi::AskUnlock(const PasswordPrompt& prompt) {
    CEnterPasswordDlg dialog(prompt, FolderOf(App().Database.FilePath), *this, true);
    return RunPrompt(dialog, nullptr) == IDOK;
}

INT_PTR AppFileUi::RunPrompt(ui::Dialog& prompt, HWND owner) {
    ui::Dialog* outer = openPrompt_;
    openPrompt_ = &prompt;
    const INT_PTR result = prompt.DoModal(owner);
    openPrompt_ = outer;
    return result;
}

void AppFileUi::BringPromptForward() {
    if (openPrompt_ == nullptr || openPrompt_->hwnd() == nullptr) return;
    ShowWindow(openPrompt_->hwnd(), SW_SHOW);
    SetForegroundWindow(openPrompt_->hwnd());
    SetFocus(openPrompt_->Item(IDC_PASSWORD));
}

std::optional<SelectPasswordResult> AppFileUi::SelectPassword(const SelectPasswordRequest& request) {
    CSelectPasswordDlg dialog(request, ui::ProgramFolder(), SystemFileSystem(), *this);
    if (App().Settings.Init != 0 && App().Database.FilePath.empty()) {
        const std::string documents = DocumentsFolder();
        if (!documents.empty()) dialog.ProposeFileName(documents + kDefaultFileName);
    }
    if (dialog.DoModal(DialogOwner()) != IDOK) return std::nullopt;
    return dialog.result();
}

std::optional<std::string> AppFileUi::ChooseFileToOpen(const std::string& initialFolder,
                                                       const std::string& initialName) {
    return ui::ChooseFileToOpen(DialogOwner(), PasswordFileDialog("Open password file", initialFolder, initialName));
}

std::optional<std::string> AppFileUi::ChooseSaveAsName(const std::string& initialFolder,
                                                       const std::string& initialName) {
    return ui::ChooseFileToSave(DialogOwner(), PasswordFileDialog("Save as", initialFolder, initialName), true);
}

}  // namespace kv
