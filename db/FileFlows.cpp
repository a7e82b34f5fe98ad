#include "db/FileFlows.h"

#include <cctype>

#include "platform/FileSystem.h"
#include "platform/SecretString.h"

namespace kv {

const char kDefaultFileName[] = "Kelvandor.kv";

namespace {

std::string UnreadFileMessage(const std::string& fileName) {
    return "The file " + fileName +
           " was not read completely, so it is not saved over: that would lose what could not be read.\n";
}

// Windows file names compare without regard to case, and either slash separates.
bool SamePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) {
            return c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FileFlows::Busy() {
    if (!db_.Loading) return false;
    ui_.BringPromptForward();
    return true;
}

bool FileFlows::NewFile() {
    if (Busy()) return false;
    host_.CommitPendingEdits();
    SelectPasswordRequest request;
    request.title = "New file";
    request.password = db_.MasterPassword;
    request.reminder = db_.ReminderPhrase;
    request.protect = db_.EncryptFiles == 1 && !db_.MasterPassword.empty();
    const std::string proposal = host_.ProgramFolder() + kDefaultFileName;
    if (db_.FilePath.empty() && !files_.Exists(proposal)) request.fileName = proposal;
    std::optional<SelectPasswordResult> chosen = ui_.SelectPassword(request);
    if (!chosen) return false;
    // The current file is saved first, still under its own password; a
    // failed save keeps it open with its changes.
    if (db_.Modified && SaveDatabase(true, false) == SaveOutcome::Failed) return false;

    const std::string previousPath = db_.FilePath;
    SecretString previousPassword(db_.MasterPassword.view());
    const std::string previousReminder = db_.ReminderPhrase;
    const std::int32_t previousEncrypt = db_.EncryptFiles;
    db_.FilePath = chosen->fileName;
    db_.MasterPassword = std::move(chosen->password);
    db_.ReminderPhrase = chosen->reminder;
    db_.EncryptFiles = chosen->protect ? 1 : 0;
    // The new file could not be made or read: the open file stays the open file.
    const auto keepOpenFile = [&] {
        db_.FilePath = previousPath;
        db_.MasterPassword = previousPassword.view();
        db_.ReminderPhrase = previousReminder;
        db_.EncryptFiles = previousEncrypt;
        return false;
    };
    if (!chosen->openExisting && !CPasswordFile(db_, ui_, files_, locale_).WriteHeader()) return keepOpenFile();
    host_.AddRecentFile(db_.FilePath);
    if (OpenRoutine() == LoadOutcome::TooLarge) return keepOpenFile();
    if (!chosen->openExisting && chosen->createDefaultFolders) {
        CreateDefaultFolders(db_);
        host_.DefaultFoldersCreated();
    }
    return true;
}

bool FileFlows::OpenPasswordFile(const std::string& path) {
    if (Busy()) return false;
    // What is being typed belongs to the current file, saved below.
    host_.CommitPendingEdits();
    // The new file's verifier must not be accepted with the current password.
    SecretString previous(db_.MasterPassword.view());
    db_.MasterPassword.Clear();
    std::string chosen = path;
    if (chosen.empty()) {
        const std::string folder = db_.FilePath.empty() ? host_.ProgramFolder() : FolderOf(db_.FilePath);
        std::optional<std::string> picked = ui_.ChooseFileToOpen(folder, db_.FilePath);
        if (!picked) {
            db_.MasterPassword = previous.view();
            return false;
        }
        chosen = *picked;
    }
    if (db_.Modified) {
        // The current file is saved under its own password.
        db_.MasterPassword = previous.view();
        if (SaveDatabase(true, false) == SaveOutcome::Failed) return false;  // it stays open with its changes
        db_.MasterPassword.Clear();
    }
    const std::string previousPath = db_.FilePath;
    db_.FilePath = chosen;
    host_.AddRecentFile(db_.FilePath);
    const LoadOutcome outcome = OpenRoutine();
    if (outcome == LoadOutcome::TooLarge) {
        // The file that was open stays open, under its own password.
        db_.FilePath = previousPath;
        db_.MasterPassword = previous.view();
    }
    return outcome == LoadOutcome::Loaded;
}

SaveOutcome FileFlows::SaveDatabase(bool ask, bool allowCancel) {
    if (db_.FilePath.empty()) return SaveOutcome::NotSaved;
    host_.CommitPendingEdits();
    if (db_.FileLoaded == 0) return RefuseUnreadFile(ask, allowCancel);
    return Write(ask, allowCancel);
}

SaveOutcome FileFlows::RefuseUnreadFile(bool ask, bool allowCancel) {
    if (ask && !db_.Modified) return SaveOutcome::NotSaved;
    const std::string question =
        UnreadFileMessage(FileNameOf(db_.FilePath)) + "Do you want to save what the window shows under another name?";
    switch (ui_.Ask(question, allowCancel)) {
        case Answer::Yes:
            return SaveDatabaseAs() ? SaveOutcome::Saved : SaveOutcome::Failed;
        case Answer::No:
            // Closing: the user let the changes go. Saving: nothing was written.
            if (!ask) return SaveOutcome::Failed;
            db_.Modified = false;
            return SaveOutcome::NotSaved;
        case Answer::Cancel:
            break;
    }
    return SaveOutcome::Cancelled;
}

SaveOutcome FileFlows::Write(bool ask, bool allowCancel) {
    const SaveOutcome outcome = kv::SaveDatabase(db_, ui_, files_, locale_, host_.FolderWalk(), ask, allowCancel);
    if (outcome == SaveOutcome::Saved) host_.FileSaved(FileNameOf(db_.FilePath));
    return outcome;
}

bool FileFlows::SaveDatabaseAs() {
    host_.CommitPendingEdits();
    std::optional<std::string> chosen = ui_.ChooseSaveAsName(host_.ProgramFolder(), db_.FilePath);
    if (!chosen) return false;
    if (db_.FileLoaded == 0 && SamePath(*chosen, db_.FilePath)) {
        ui_.ShowMessage(UnreadFileMessage(FileNameOf(db_.FilePath)) + "Please choose another name.");
        return false;
    }
    const std::string previous = db_.FilePath;
    const std::int32_t previousLoaded = db_.FileLoaded;
    db_.FilePath = *chosen;
    // The new file holds what the window shows, complete.
    db_.FileLoaded = 1;
    if (Write(false, false) == SaveOutcome::Saved) {
        host_.AddRecentFile(db_.FilePath);
        return true;
    }
    // Nothing was written under the new name: the file keeps its old one.
    db_.FilePath = previous;
    db_.FileLoaded = previousLoaded;
    return false;
}

bool FileFlows::ChangeMasterPassword() {
    if (db_.FilePath.empty()) return false;
    db_.EncryptFiles = db_.MasterPassword.empty() ? 0 : 1;
    SelectPasswordRequest request;
    request.title = "Change password";
    request.fileName = db_.FilePath;
    request.password = db_.MasterPassword;
    request.reminder = db_.ReminderPhrase;
    request.protect = db_.EncryptFiles == 1;
    request.changeMode = true;
    std::optional<SelectPasswordResult> chosen = ui_.SelectPassword(request);
    if (!chosen) return false;
    db_.MasterPassword = std::move(chosen->password);
    db_.ReminderPhrase = chosen->reminder;
    db_.EncryptFiles = db_.MasterPassword.empty() ? 0 : 1;
    db_.Modified = true;
    return true;
}

namespace {

// What a load replaces, moved aside while it runs (moving takes no memory),
// to be put back when the file is too large to hold.
class SetAside {
public:
    explicit SetAside(PasswordDatabase& db)
        : folders_(std::move(db.Folders)),
          ignoredSites_(std::move(db.IgnoredSites)),
          folderHistory_(std::move(db.SearchFolderHistory)),
          itemHistory_(std::move(db.SearchItemHistory)),
          filePath_(db.FilePath),
          password_(db.MasterPassword.view()),
          reminder_(db.ReminderPhrase),
          encryptFiles_(db.EncryptFiles),
          fileLoaded_(db.FileLoaded) {
        db.Folders.clear();
        db.IgnoredSites.clear();
        db.SearchFolderHistory.clear();
        db.SearchItemHistory.clear();
    }

    void PutBack(PasswordDatabase& db) {
        db.Folders = std::move(folders_);
        db.IgnoredSites = std::move(ignoredSites_);
        db.SearchFolderHistory = std::move(folderHistory_);
        db.SearchItemHistory = std::move(itemHistory_);
        db.FilePath = filePath_;
        db.MasterPassword = password_.view();
        db.ReminderPhrase = reminder_;
        db.EncryptFiles = encryptFiles_;
        db.FileLoaded = fileLoaded_;
    }

private:
    std::vector<Folder> folders_;
    std::vector<std::string> ignoredSites_;
    std::vector<std::string> folderHistory_;
    std::vector<std::string> itemHistory_;
    std::string filePath_;
    SecretString password_;
    std::string reminder_;
    std::int32_t encryptFiles_;
    std::int32_t fileLoaded_;
};

}  // namespace

LoadOutcome LoadWithFreshHistories(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale) {
    if (db.Loading) return LoadOutcome::Failed;
    db.Loading = true;
    SetAside before(db);
    CPasswordFile file(db, ui, files, locale);
    LoadOutcome outcome = file.LoadFile() ? LoadOutcome::Loaded : LoadOutcome::Failed;
    if (file.TooLarge()) {
        before.PutBack(db);
        outcome = LoadOutcome::TooLarge;
    }
    db.Loading = false;
    return outcome;
}

LoadOutcome FileFlows::OpenRoutine() {
    if (Busy()) return LoadOutcome::Failed;
    const LoadOutcome outcome = LoadWithFreshHistories(db_, ui_, files_, locale_);
    if (outcome == LoadOutcome::TooLarge) return outcome;
    db_.Modified = false;
    host_.FileOpened();
    return outcome;
}

}  // namespace kv
