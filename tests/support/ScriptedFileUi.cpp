#include "tests/support/ScriptedFileUi.h"

namespace kv::test {

void ScriptedFileUi::SetWaitCursor(bool waiting) {
    if (waiting) {
        ++waitDepth;
        if (waitDepth > maxWaitDepth) maxWaitDepth = waitDepth;
    } else if (waitDepth > 0) {
        --waitDepth;
    }
}

Answer ScriptedFileUi::Ask(const std::string& question, bool allowCancel) {
    questions.push_back(question + (allowCancel ? " [Yes/No/Cancel]" : " [Yes/No]"));
    if (answers.empty()) return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

PasswordAnswer ScriptedFileUi::AskPassword(const PasswordPrompt& prompt) {
    asked.push_back(prompt);
    PasswordAnswer answer;
    if (prompts.empty()) return answer;  // nobody there: Cancel
    const PromptScript script = prompts.front();
    prompts.pop_front();
    PasswordAttempts attempts(prompt.verifier);
    for (const std::string& typed : script.typed) {
        switch (attempts.Check(typed)) {
            case PasswordAttempts::Result::Accepted:
                answer.outcome = PasswordAnswer::Outcome::Accepted;
                answer.password = typed;
                return answer;
            case PasswordAttempts::Result::TryAgain:
                errorLines.push_back("Incorrect password");
                break;
            case PasswordAttempts::Result::NoAttemptsLeft:
                messages.push_back("Incorrect password and this was your last attempt.");
                return answer;
        }
    }
    if (!script.chooseFile.empty()) {
        answer.outcome = PasswordAnswer::Outcome::OtherFile;
        answer.path = script.chooseFile;
    }
    return answer;
}

}  // namespace kv::test
