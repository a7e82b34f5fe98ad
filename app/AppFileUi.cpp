#include <windows.h>

#include "app/AppFileUi.h"
#include "app/MessageBox.h"

namespace kv {

void AppFileUi::ShowMessage(const std::string& text) { kv::ShowMessage(text, MB_OK); }

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

PasswordAnswer AppFileUi::AskPassword(const PasswordPrompt&) {
    // The "Enter password" dialog comes with the editor's file flows.
    return PasswordAnswer{};
}

}  // namespace kv
