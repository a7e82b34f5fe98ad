#include "db/FileFlows.h"

#include "db/SecureWipe.h"
#include "platform/FileSystem.h"

namespace kv {

const char kDefaultFileName[] = "Kelvandor.kv";

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FileFlows::NewFile() {
    SelectPasswordRequest request;
    request.title = "New file";
    request.password = db_.MasterPassword;
    request.reminder = db_.ReminderPhrase;
    request.protect = db_.EncryptFiles == 1 && !db_.MasterPassword.empty();
    const std::string proposal = host_.ProgramFolder() + kDefaultFileName;
    if (db_.FilePath.empty() && !files_.Exists(proposal)) request.fileName = proposal;
    std::optional<SelectPasswordResult> chosen = ui_.SelectPassword(request);
    SecureWipe(request.password);
    if (!chosen) return false;
    // The current file is saved first, still under its own password.
    if (db_.Modified) SaveDatabase(true, false);

    const std::string previousPath = db_.FilePath;
    SecretString previousPassword(db_.MasterPassword);
    const std::string previousReminder = db_.ReminderPhrase;
    const std::int32_t previousEncrypt = db_.EncryptFiles;
    db_.FilePath = chosen->fileName;
    SecureWipe(db_.MasterPassword);
    db_.MasterPassword = chosen->password;
    SecureWipe(chosen->password);
    db_.ReminderPhrase = chosen->reminder;
    db_.EncryptFiles = chosen->protect ? 1 : 0;
    if (!chosen->openExisting && !CPasswordFile(db_, ui_, files_, locale_).WriteHeader()) {
        // The new file could not be made: the open file stays the open file.
        db_.FilePath = previousPath;
        SecureWipe(db_.MasterPassword);
        db_.MasterPassword = previousPassword.get();
        db_.ReminderPhrase = previousReminder;
        db_.EncryptFiles = previousEncrypt;
        return false;
    }
    host_.AddRecentFile(db_.FilePath);
    OpenRoutine();
    if (!chosen->openExisting && chosen->createDefaultFolders) {
        CreateDefaultFolders(db_);
        host_.DefaultFoldersCreated();
    }
    return true;
}

bool FileFlows::OpenPasswordFile(const std::string& path) {
    // The new file's verifier must not be accepted with the current password.
    SecretString previous(db_.MasterPassword);
    SecureWipe(db_.MasterPassword);
    std::string chosen = path;
    if (chosen.empty()) {
        const std::string folder = db_.FilePath.empty() ? host_.ProgramFolder() : FolderOf(db_.FilePath);
        std::optional<std::string> picked = ui_.ChooseFileToOpen(folder, db_.FilePath);
        if (!picked) {
            db_.MasterPassword = previous.get();
            return false;
        }
        chosen = *picked;
    }
    if (db_.Modified) {
        // The current file is saved under its own password.
        db_.MasterPassword = previous.get();
        SaveDatabase(true, false);
        SecureWipe(db_.MasterPassword);
    }
    db_.FilePath = chosen;
    host_.AddRecentFile(db_.FilePath);
    return OpenRoutine();
}

SaveOutcome FileFlows::SaveDatabase(bool ask, bool allowCancel) {
    if (db_.FilePath.empty() || db_.FileLoaded == 0) return SaveOutcome::NotSaved;
    host_.CommitPendingEdits();
    const SaveOutcome outcome = kv::SaveDatabase(db_, ui_, files_, locale_, host_.FolderWalk(), ask, allowCancel);
    if (outcome == SaveOutcome::Saved) host_.FileSaved(FileNameOf(db_.FilePath));
    return outcome;
}

bool FileFlows::SaveDatabaseAs() {
    std::optional<std::string> chosen = ui_.ChooseSaveAsName(host_.ProgramFolder(), db_.FilePath);
    if (!chosen) return false;
    const std::string previous = db_.FilePath;
    db_.FilePath = *chosen;
    if (SaveDatabase(false, false) == SaveOutcome::Saved) return true;
    // Nothing was written under the new name: the file keeps its old one.
    db_.FilePath = previous;
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
    SecureWipe(request.password);
    if (!chosen) return false;
    SecureWipe(db_.MasterPassword);
    db_.MasterPassword = chosen->password;
    SecureWipe(chosen->password);
    db_.ReminderPhrase = chosen->reminder;
    db_.EncryptFiles = db_.MasterPassword.empty() ? 0 : 1;
    db_.Modified = true;
    return true;
}

bool LoadWithFreshHistories(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale) {
    db.SearchFolderHistory.clear();
    db.SearchItemHistory.clear();
    return CPasswordFile(db, ui, files, locale).LoadFile();
}

bool FileFlows::OpenRoutine() {
    const bool loaded = LoadWithFreshHistories(db_, ui_, files_, locale_);
    db_.Modified = false;
    host_.FileOpened();
    return loaded;
}

}  // namespace kv
