// The random user sessions of the stateful editor test: the steps and how
// they are drawn from a seed, the file a session starts on, and the texts
// that name records and states in a failure report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Database.h"
#include "tests/ui/support/EditorModel.h"

namespace kv::uitest {

enum class Action {
    SelectFolder,
    AddFolder,
    AddSubfolder,
    RenameFolder,
    DeleteFolder,
    DropFolder,
    AddRecord,
    EditCell,
    DeleteRecord,
    CopyRecords,
    MoveRecords,
    SortGrid,
    Search,
    TrayJump,
    Undo,
    Save,
    Reopen,
};

// What the user does, with numbers that choose its arguments by name or
// position when the step runs (never an index kept from an earlier step).
struct Step {
    Action action;
    std::uint32_t pick[4];
};

// The texts that sessions type into cells and search for, and name folders with.
inline const char* const kWords[] = {"alpha", "Bravo", "charlie", "Delta", "echo",
                                     "foxtrot", "Golf", "hotel", "India", "juliet"};
inline const char* const kFolderNames[] = {"Bank", "Mail", "Web", "Cards", "Email", "Work", "Home", "Shop"};

// `count` steps drawn from `seed`, the slow kinds less often.
std::vector<Step> RandomSteps(std::uint32_t seed, int count);
// A word of the list, sometimes with a digit after it.
std::string Word(std::uint32_t pick);
// A record, or records as a multiset, as a failure report names them.
std::string Show(const Fields& fields);
std::string Show(const std::vector<Fields>& records);
// The first folder in which two states differ.
std::string Difference(const ModelState& app, const ModelState& model);
// The file a session of `seed` starts on.
PasswordDatabase StartingDatabase(std::uint32_t seed);
// What a database holds, as the model keeps it.
ModelState StateOf(const PasswordDatabase& db);

}  // namespace kv::uitest
