// The file layer's user interface in the program: its messages in the
// program's message box, the wait cursor.
#pragma once

#include <windows.h>

#include "db/FileUi.h"

namespace kv {

class AppFileUi : public FileUi {
public:
    void ShowMessage(const std::string& text) override;
    Answer Ask(const std::string& question, bool allowCancel) override;
    void SetWaitCursor(bool waiting) override;
    PasswordAnswer AskPassword(const PasswordPrompt& prompt) override;

private:
    int waitDepth_ = 0;
    HCURSOR previous_ = nullptr;
};

}  // namespace kv
