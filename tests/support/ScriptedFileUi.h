// Answers the file layer's prompts from a script and records its messages.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "db/FileUi.h"

namespace kv::test {

// What the user does in one "Enter password" prompt: types these passwords in
// turn (the prompt allows three attempts), then cancels or chooses a file.
struct PromptScript {
    std::vector<std::string> typed;
    std::string chooseFile;  // when not empty, "Browse..." picks this file after the typing
};

class ScriptedFileUi : public FileUi {
public:
    std::deque<PromptScript> prompts;
    std::deque<Answer> answers;           // to the questions, in turn; No when none is left
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<PasswordPrompt> asked;
    std::vector<std::string> errorLines;  // what the prompt's error line showed
    int waitDepth = 0;
    int maxWaitDepth = 0;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    Answer Ask(const std::string& question, bool allowCancel) override;
    void SetWaitCursor(bool waiting) override;
    PasswordAnswer AskPassword(const PasswordPrompt& prompt) override;
};

}  // namespace kv::test
