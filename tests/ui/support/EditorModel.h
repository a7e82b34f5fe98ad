// A small reference model of what the editor should hold: each folder's path
// with its records as a multiset (order is the grid's business), five undo
// levels of the whole state, the last saved state, and the text still typed
// into an open cell editor.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/Record.h"

namespace kv::uitest {

using Fields = std::array<std::string, kFieldCount>;

// Folder path -> its records, in no particular order.
using ModelState = std::map<std::string, std::vector<Fields>>;

// The same state with each folder's records in sorted order.
ModelState Normalised(ModelState state);
// A state as a saved file keeps it: every record that is not empty and the
// first empty one of each folder.
ModelState AsSaved(const ModelState& state);
bool IsEmptyRecord(const Fields& fields);
// Whether any field of the record holds `text`, ignoring letter case.
bool RecordContains(const Fields& fields, const std::string& text);
// "Label" of "A~B~Label", and "A~B".
std::string LabelOf(const std::string& path);
std::string ParentOf(const std::string& path);

class EditorModel {
public:
    static constexpr int kUndoLevels = 5;

    explicit EditorModel(ModelState initial);

    const ModelState& state() const { return state_; }
    const ModelState& saved() const { return saved_; }
    std::vector<std::string> Paths() const;
    bool Has(const std::string& path) const { return state_.count(path) == 1; }
    bool HasRecord(const std::string& path, const Fields& record) const;

    // The open cell editor: a record of a folder, the field it edits and the text typed.
    struct Pending {
        std::string path;
        Fields record;
        int field;
        std::string text;
    };
    void OpenEditor(Pending pending) { pending_ = std::move(pending); }
    void Type(const std::string& text);
    bool EditorOpen() const { return pending_.has_value(); }
    // Stores the typed text as the next command does; false when the record
    // it edits is no longer there.
    bool CommitEditor();

    // Folder names are refused when empty, with "~", when a sibling has the
    // name, or when the path grows past 259 characters.
    bool NameAllowed(const std::string& parent, const std::string& name, const std::string& self = "") const;
    bool AddFolder(const std::string& parent, const std::string& name);
    bool RenameFolder(const std::string& path, const std::string& name);
    void DeleteFolder(const std::string& path);
    // Moves `path` below `target` (empty: the top level); nothing for a drop
    // onto itself, its parent, a folder below it, or beside a sibling of the same name.
    bool DropFolder(const std::string& path, const std::string& target);

    void AddRecord(const std::string& path);
    // Changes `field` of a record equal to `record`; false when there is none.
    bool EditField(const std::string& path, const Fields& record, int field, const std::string& text);
    bool DeleteRecord(const std::string& path, const Fields& record);
    // Copies (or moves) records to `target`; the first copy takes the place of
    // the target's empty last record when `replacesEmptyLast`.
    bool TransferRecords(const std::string& path, const std::vector<Fields>& records, const std::string& target,
                         bool move, bool replacesEmptyLast);

    void Undo();
    void Save() { saved_ = state_; }
    // Opens the saved file again, after saving when `saveFirst`.
    void Reopen(bool saveFirst);

private:
    void PushUndo();
    std::vector<std::string> Children(const std::string& parent) const;
    static bool Below(const std::string& path, const std::string& ancestor);
    void MoveSubtree(const std::string& from, const std::string& to);

    ModelState state_;
    ModelState saved_;
    std::deque<ModelState> undo_;  // newest first
    std::optional<Pending> pending_;
};

}  // namespace kv::uitest
