#include "db/SaveFlow.h"

#include "db/FileUi.h"

namespace kv {

SaveOutcome SaveDatabase(PasswordDatabase& db, FileUi& ui, FileSystem& files, const Locale& locale,
                         const std::vector<FolderVisit>& walk, bool ask, bool allowCancel) {
    if (db.FilePath.empty() || db.FileLoaded == 0) return SaveOutcome::NotSaved;
    if (ask) {
        if (!db.Modified) return SaveOutcome::NotSaved;
        switch (ui.Ask("Do you wish to save your changes to " + FileNameOf(db.FilePath) + "?", allowCancel)) {
            case Answer::Yes: break;
            case Answer::No: db.Modified = false; return SaveOutcome::NotSaved;
            case Answer::Cancel: return SaveOutcome::Cancelled;
        }
    }
    CPasswordFile file(db, ui, files, locale);
    if (!file.SaveFile(walk)) return SaveOutcome::Failed;
    db.Modified = false;
    return SaveOutcome::Saved;
}

}  // namespace kv
