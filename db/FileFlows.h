// Creating, opening, saving and re-protecting the password file: the order
// of steps around the file layer, with the dialogs and the editor behind
// small interfaces.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "db/FileUi.h"
#include "db/PasswordFile.h"
#include "db/SaveFlow.h"

namespace kv {

class FileSystem;
class Locale;

enum class LoadOutcome {
    Loaded,
    Failed,    // refused, cancelled, damaged: what could be read is shown
    TooLarge,  // not enough memory: the database is as it was before the load
};

// Reads the file named by `FilePath` after emptying the search histories of
// the file read before. Refused (Failed, nothing changed) while another load
// runs. A file too large for the memory leaves everything the load replaces
// as it was, `FilePath` and `MasterPassword` included.
LoadOutcome LoadWithFreshHistories(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale);

// What the "Select password" dialog starts with.
struct SelectPasswordRequest {
    std::string title;     // empty keeps the dialog's own caption
    std::string fileName;
    SecretString password;
    std::string reminder;
    bool protect = true;   // the protection box starts ticked
    bool changeMode = false;
};

// What it ends with on OK.
struct SelectPasswordResult {
    std::string fileName;  // with ".kv" and the program's folder added as needed
    SecretString password;  // empty when protection is off
    std::string reminder;
    bool protect = false;
    bool openExisting = false;
    bool createDefaultFolders = false;
};

// The dialogs the flows open.
class FileFlowUi : public FileUi {
public:
    virtual void ShowWarning(const std::string& text) = 0;
    // The "Select password" dialog; nothing when cancelled.
    virtual std::optional<SelectPasswordResult> SelectPassword(const SelectPasswordRequest& request) = 0;
    // "Open password file"; nothing when cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& initialFolder,
                                                        const std::string& initialName) = 0;
    // "Save as"; nothing when cancelled.
    virtual std::optional<std::string> ChooseSaveAsName(const std::string& initialFolder,
                                                        const std::string& initialName) = 0;
    // Another request needs the database while its load asks for the
    // password: the open prompt comes to the front instead.
    virtual void BringPromptForward() = 0;
};

// The editor and the application around the flows.
class FileFlowHost {
public:
    virtual ~FileFlowHost() = default;
    // Takes over what is still being typed into the editor's controls.
    virtual void CommitPendingEdits() = 0;
    // The folders in the order of the folder tree, for the file writer.
    virtual std::vector<FolderVisit> FolderWalk() = 0;
    // A file was read (or not): rebuild the tree, forget undo levels and selections.
    virtual void FileOpened() = 0;
    // The default folders were added to a new file.
    virtual void DefaultFoldersCreated() = 0;
    virtual void FileSaved(const std::string& fileName) = 0;
    virtual void AddRecentFile(const std::string& path) = 0;
    // The folder of the program, with a trailing backslash.
    virtual std::string ProgramFolder() = 0;
};

class FileFlows {
public:
    FileFlows(PasswordDatabase& db, FileFlowUi& ui, FileFlowHost& host, FileSystem& files, const Locale& locale)
        : db_(db), ui_(ui), host_(host), files_(files), locale_(locale) {}

    // The "New..." command: asks for a name and password, creates the file, reads it.
    bool NewFile();
    // Opens `path`, or a file chosen in the open dialog when `path` is empty.
    bool OpenPasswordFile(const std::string& path = std::string());
    // Saves (asking first with `ask`). A file that was not read completely is
    // never written over: the user is told so and offered "Save as".
    SaveOutcome SaveDatabase(bool ask, bool allowCancel);
    // Writes what the window holds under a new name, even when the open file
    // was not read completely (but never over that file).
    bool SaveDatabaseAs();
    // Takes a new master password (or none); the next save re-encrypts.
    bool ChangeMasterPassword();
    // The editor's open routine: empties the histories, reads the file and
    // lets the editor rebuild (not when the file was too large: then nothing changed).
    LoadOutcome OpenRoutine();

private:
    // True when a load is running; its prompt is then brought forward.
    bool Busy();
    SaveOutcome RefuseUnreadFile(bool ask, bool allowCancel);
    SaveOutcome Write(bool ask, bool allowCancel);

    PasswordDatabase& db_;
    FileFlowUi& ui_;
    FileFlowHost& host_;
    FileSystem& files_;
    const Locale& locale_;
};

// The default name of a password file.
extern const char kDefaultFileName[];

// The folder part of a path, with its trailing backslash (empty when none).
std::string FolderOf(const std::string& path);

}  // namespace kv
