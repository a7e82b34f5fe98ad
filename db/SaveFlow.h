// Saving the open database, asking first when the caller wants that.
#pragma once

#include <vector>

#include "db/Database.h"
#include "db/PasswordFile.h"

namespace kv {

class FileSystem;
class FileUi;
class Locale;

enum class SaveOutcome {
    Saved,
    NotSaved,   // nothing to save, or the user answered No
    Cancelled,  // the user answered Cancel
    Failed,     // the file could not be written; the changes are still marked
};

// With `ask`, writes only a modified database and only after "Do you wish to
// save your changes to %s?" (Yes and No, and Cancel when `allowCancel`); No
// forgets the changes. Without, always writes. A file that was not read
// completely is never written.
SaveOutcome SaveDatabase(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale,
                         const std::vector<FolderVisit>& walk, bool ask, bool allowCancel);

}  // namespace kv
