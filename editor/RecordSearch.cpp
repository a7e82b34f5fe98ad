#include "editor/RecordSearch.h"

#include <algorithm>
#include <cstddef>

#include "views/GridColumns.h"

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;

SearchHit HitIn(SearchHit::Place place, int column = -1, TextRange notes = {}) {
    SearchHit hit;
    hit.place = place;
    hit.column = column;
    hit.notes = notes;
    return hit;
}

}  // namespace

RecordSearch::RecordSearch(NotesFinder& finder) : finder_(finder) {}

void RecordSearch::Reset() { cursor_ = Cursor{}; }

std::optional<SearchHit> RecordSearch::FindNext(const FolderTreeModel& tree, NodeId selected,
                                                const std::vector<Folder>& folders, const AppSettings& settings,
                                                const std::string& text, std::uint32_t options) {
    if (text.empty()) return std::nullopt;
    const NodeId start = selected != FolderTreeModel::kRoot ? selected : tree.First();
    // A cursor left in another folder does not apply here.
    if (cursor_.folderIndex != tree.FolderIndex(start)) Reset();
    for (NodeId node = start; node != 0; node = tree.Next(node)) {
        if (auto hit = SearchFolder(tree, node, folders, settings, text, options)) return hit;
    }
    for (NodeId node = tree.First(); node != 0; node = tree.Next(node)) {
        if (auto hit = SearchFolder(tree, node, folders, settings, text, options)) return hit;
        if (node == start) break;
    }
    return std::nullopt;
}

// Searches the folder of `node` from the cursor, or from its first record when
// the cursor is reset; a folder without a hit leaves the cursor reset.
std::optional<SearchHit> RecordSearch::SearchFolder(const FolderTreeModel& tree, NodeId node,
                                                    const std::vector<Folder>& folders, const AppSettings& settings,
                                                    const std::string& text, std::uint32_t options) {
    const int folderIndex = tree.FolderIndex(node);
    if (folderIndex < 0 || static_cast<std::size_t>(folderIndex) >= folders.size()) return std::nullopt;
    const Folder& folder = folders[static_cast<std::size_t>(folderIndex)];
    if (folder.present == 0) return std::nullopt;

    const std::vector<int> columns = GridColumns(settings, CategoryOfNode(tree, folders, node));
    cursor_.folderIndex = folderIndex;
    for (cursor_.record = std::max(cursor_.record, 0); static_cast<std::size_t>(cursor_.record) < folder.records.size();
         cursor_ = Cursor{folderIndex, cursor_.record + 1}) {
        if (auto hit = SearchRecord(folder.records[static_cast<std::size_t>(cursor_.record)], columns, text, options)) {
            hit->node = node;
            hit->folderIndex = folderIndex;
            hit->record = cursor_.record;
            return hit;
        }
    }
    Reset();
    return std::nullopt;
}

// Tests the parts of one record from the cursor's phase on, leaving the cursor
// at the part after a hit.
std::optional<SearchHit> RecordSearch::SearchRecord(const Record& record, const std::vector<int>& columns,
                                                    const std::string& text, std::uint32_t options) {
    if (cursor_.phase == Phase::Columns) {
        while (cursor_.column < columns.size()) {
            const std::size_t column = cursor_.column++;
            if (MatchesSearch(record.fields[static_cast<std::size_t>(columns[column])], text, options)) {
                return HitIn(SearchHit::Place::Column, static_cast<int>(column));
            }
        }
        cursor_.phase = Phase::WebAddress;
    }
    if (cursor_.phase == Phase::WebAddress) {
        cursor_.phase = Phase::Email;
        if (MatchesSearch(record.fields[kUrl], text, options)) return HitIn(SearchHit::Place::WebAddress);
    }
    if (cursor_.phase == Phase::Email) {
        cursor_.phase = Phase::Notes;
        if (MatchesSearch(record.fields[kEmail], text, options)) return HitIn(SearchHit::Place::Email);
    }
    const std::string& notes = record.fields[kNotes];
    if (!NotesMightContain(notes, text)) return std::nullopt;
    const std::optional<TextRange> found = finder_.Find(notes, text, cursor_.notesFrom, options);
    if (!found) return std::nullopt;
    cursor_.notesFrom = found->end;
    return HitIn(SearchHit::Place::Notes, -1, *found);
}

NodeId FindFolder(const FolderTreeModel& tree, NodeId selected, const std::string& text, std::uint32_t options) {
    NodeId node = selected;
    for (std::size_t tested = 0; tested < tree.Count(); ++tested) {
        node = tree.Next(node);
        if (node == 0) node = tree.First();
        if (node == selected) return 0;
        if (MatchesSearch(tree.Label(node), text, options)) return node;
    }
    return 0;
}

}  // namespace kv
