// The editor's find-next searches: through the records' texts, continuing
// after the previous hit, and through the folders' names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/Record.h"
#include "settings/AppSettings.h"
#include "views/FolderTreeModel.h"
#include "views/SearchMatch.h"

namespace kv {

// Where a record search found its text.
struct SearchHit {
    enum class Place { Column, WebAddress, Email, Notes };

    FolderTreeModel::NodeId node = 0;  // the folder's tree node, to select
    int folderIndex = -1;
    int record = -1;
    Place place = Place::Column;
    int column = -1;    // the grid column, for Place::Column
    TextRange notes;    // the text found in the notes, for Place::Notes
};

// The record search with its cursor, the place after the previous hit. Within
// a folder the search runs through the records in order, and in each record
// through the grid columns of the folder's category (their field texts), then
// the web address (field 12), the email address (field 11) and the notes
// (field 13); the text is matched by MatchesSearch, the notes through the
// NotesFinder, which is only asked about notes that NotesMightContain the text.
class RecordSearch {
public:
    explicit RecordSearch(NotesFinder& finder);

    // Puts the cursor before the first record of whatever folder is searched
    // next: when the search dialog opens, and on a click in the grid.
    void Reset();

    // The next hit after the cursor, or nothing when the text occurs nowhere
    // (or is empty); the cursor then stands after the hit, or is reset.
    // The search starts in `selected` (0: the first top-level folder), at the
    // cursor when the cursor lies in that folder, else at its first record; so
    // after a hit in the notes the same notes are searched on first. It then
    // goes on through the tree in pre-order: the folder's subfolders, its
    // following siblings with theirs, the rest of its top-level folder and the
    // following top-level folders; then it wraps to the first top-level folder
    // and searches every folder up to and including the starting one from its
    // first record, which finds the hits before the starting point (those after
    // it having been searched already). Nodes without a folder and folders not
    // present are passed over.
    std::optional<SearchHit> FindNext(const FolderTreeModel& tree, FolderTreeModel::NodeId selected,
                                      const std::vector<Folder>& folders, const AppSettings& settings,
                                      const std::string& text, std::uint32_t options);

private:
    // The parts of a record, searched in this order.
    enum class Phase { Columns, WebAddress, Email, Notes };

    // The next place to test.
    struct Cursor {
        int folderIndex = -1;
        int record = -1;  // -1: before the first record
        Phase phase = Phase::Columns;
        std::size_t column = 0;     // the next grid column, in the column phase
        std::size_t notesFrom = 0;  // where the notes phase looks on, after the previous hit
    };

    std::optional<SearchHit> SearchFolder(const FolderTreeModel& tree, FolderTreeModel::NodeId node,
                                          const std::vector<Folder>& folders, const AppSettings& settings,
                                          const std::string& text, std::uint32_t options);
    std::optional<SearchHit> SearchRecord(const Record& record, const std::vector<int>& columns,
                                          const std::string& text, std::uint32_t options);

    NotesFinder& finder_;
    Cursor cursor_;
};

// The folder search: the first node after `selected` in pre-order, wrapping
// from the last node to the first top-level one, whose label matches the text
// (MatchesSearch); `selected` itself is not tested. With no node selected (0)
// every node is tested, from the first top-level one. 0 when none matches.
FolderTreeModel::NodeId FindFolder(const FolderTreeModel& tree, FolderTreeModel::NodeId selected,
                                   const std::string& text, std::uint32_t options);

}  // namespace kv
