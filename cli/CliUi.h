// The file layer's user interface on a console: messages are kept for one
// error line, and the password comes only from standard input.
#pragma once

#include <string>

#include "db/FileUi.h"

namespace kv {

class CliUi : public FileUi {
public:
    explicit CliUi(bool passwordGiven) : passwordGiven_(passwordGiven) {}

    void ShowMessage(const std::string& text) override;
    void SetWaitCursor(bool) override {}
    // The companion never asks: nothing is saved behind the user's back.
    Answer Ask(const std::string&, bool) override { return Answer::No; }
    // There is nobody to ask: a wrong or missing password ends the load.
    PasswordAnswer AskPassword(const PasswordPrompt& prompt) override;

    // The first message of the file layer as one line, or empty.
    const std::string& error() const { return error_; }

private:
    bool passwordGiven_;
    std::string error_;
};

// A message on one line: runs of line breaks become one space, and the
// ends are trimmed.
std::string OneLine(const std::string& text);

}  // namespace kv
