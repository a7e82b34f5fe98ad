// The editor's undo history: up to five snapshots of the folder array, each
// taken right before a change and put back by Undo. There is no redo.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "db/PasswordFile.h"
#include "db/Record.h"

namespace kv {

// Snapshots are plain copies of the folder array; the folders' records are
// copy-on-write, so a snapshot shares every folder that is not changed later.
class UndoHistory {
public:
    static constexpr int kLevels = 5;

    // Forgets every level, as when a file is loaded or created.
    void Clear();

    // Stores a level right before a change. For a folder change (add, rename,
    // delete, move of folders) the snapshot holds the folders in display order:
    // one copy for each entry of `displayOrder` whose folderIndex is a valid
    // index into `folders`, with the path of that entry. Otherwise `folders` is
    // copied in its own order. A sixth level takes the place of the oldest.
    void PushUndo(const std::string& label, bool folderChange, const std::vector<Folder>& folders,
                  const std::vector<FolderVisit>& displayOrder);

    struct Restored {
        std::string label;
        bool folderChange;
    };

    // Replaces `folders` by the newest snapshot and forgets that level; nothing
    // when the history is empty. The caller sets the modified flag and updates
    // the windows.
    std::optional<Restored> Undo(std::vector<Folder>& folders);

    int Count() const { return count_; }
    bool CanUndo() const { return count_ > 0; }

    // The text of the undo menu items: "&Undo", followed when a level exists by
    // its label, cut when long and with each "&" doubled so that it shows.
    std::string MenuText() const;

private:
    struct Level {
        std::string label;
        bool folderChange = false;
        std::vector<Folder> folders;
    };

    std::array<Level, kLevels> levels_;
    int newest_ = -1;  // slot of the newest level
    int count_ = 0;
};

}  // namespace kv
