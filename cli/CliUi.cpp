#include "cli/CliUi.h"

namespace kv {

std::string OneLine(const std::string& text) {
    std::string line;
    bool pendingSpace = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r' || c == ' ') {
            pendingSpace = !line.empty();
            continue;
        }
        if (pendingSpace) line += ' ';
        pendingSpace = false;
        line += c;
    }
    return line;
}

void CliUi::ShowMessage(const std::string& text) {
    if (error_.empty()) error_ = OneLine(text);
}

PasswordAnswer CliUi::AskPassword(const PasswordPrompt& prompt) {
    ShowMessage(passwordGiven_ ? prompt.fileName + ": incorrect password"
                               : prompt.fileName + " is password protected: give its password with --password-stdin");
    return PasswordAnswer{};
}

}  // namespace kv
