// The dialogs of the file flows, answered from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "db/FileFlows.h"
#include "tests/support/ScriptedFileUi.h"

namespace kv::test {

class ScriptedFlowUi : public FileFlowUi {
public:
    ScriptedFileUi base;  // messages, questions and password prompts
    std::vector<std::string> warnings;
    std::deque<std::optional<SelectPasswordResult>> selections;
    std::vector<SelectPasswordRequest> selectRequests;
    std::deque<std::optional<std::string>> openChoices;
    std::vector<std::string> openFolders;
    std::deque<std::optional<std::string>> saveAsChoices;

    void ShowMessage(const std::string& text) override { base.ShowMessage(text); }
    Answer Ask(const std::string& question, bool allowCancel) override { return base.Ask(question, allowCancel); }
    void SetWaitCursor(bool waiting) override { base.SetWaitCursor(waiting); }
    PasswordAnswer AskPassword(const PasswordPrompt& prompt) override { return base.AskPassword(prompt); }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }

    std::optional<SelectPasswordResult> SelectPassword(const SelectPasswordRequest& request) override {
        selectRequests.push_back(request);
        return Next(selections);
    }
    std::optional<std::string> ChooseFileToOpen(const std::string& folder, const std::string&) override {
        openFolders.push_back(folder);
        return Next(openChoices);
    }
    std::optional<std::string> ChooseSaveAsName(const std::string&, const std::string&) override {
        return Next(saveAsChoices);
    }
    void BringPromptForward() override { ++promptsBroughtForward; }
    int promptsBroughtForward = 0;

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

}  // namespace kv::test
