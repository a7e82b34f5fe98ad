#include "tests/support/DatabaseFile.h"

#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "tests/support/ScriptedFileUi.h"

namespace kv::test {

bool WriteDatabaseFile(const std::string& path, std::string_view password, PasswordDatabase db) {
    db.FilePath = path;
    db.FileLoaded = 1;
    db.EncryptFiles = password.empty() ? 0 : 1;
    db.MasterPassword = password;
    ScriptedFileUi ui;
    CPasswordFile file(db, ui, SystemFileSystem(), SystemLocale());
    return file.SaveFile(FoldersInArrayOrder(db));
}

}  // namespace kv::test
