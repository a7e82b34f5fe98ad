// What the password file layer needs of the user interface: its messages, the
// wait cursor, and the "Enter password" prompt for a protected file.
#pragma once

#include <string>

#include "db/Verifier.h"
#include "platform/SecretString.h"

namespace kv {

struct PasswordPrompt {
    std::string fileName;  // the file's name without its folder
    std::string reminder;  // the file's reminder phrase
    Verifier verifier;     // the stored verifier the typed password must match
};

struct PasswordAnswer {
    enum class Outcome {
        Accepted,   // `password` matches the verifier
        Cancelled,  // the user cancelled, or used up the attempts
        OtherFile,  // the user chose another file: `path`
    };
    Outcome outcome = Outcome::Cancelled;
    SecretString password;
    std::string path;
};

// The user's answer to a question.
enum class Answer { Yes, No, Cancel };

class FileUi {
public:
    virtual ~FileUi() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // A question with Yes and No, and Cancel when `allowCancel`.
    virtual Answer Ask(const std::string& question, bool allowCancel) = 0;
    virtual void SetWaitCursor(bool waiting) = 0;
    virtual PasswordAnswer AskPassword(const PasswordPrompt& prompt) = 0;
};

// Shows the wait cursor while it lives.
class WaitCursor {
public:
    explicit WaitCursor(FileUi& ui) : ui_(ui) { ui_.SetWaitCursor(true); }
    ~WaitCursor() { ui_.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    FileUi& ui_;
};

}  // namespace kv
