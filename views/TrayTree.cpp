#include "views/TrayTree.h"

#include "views/GridColumns.h"
#include "views/SearchMatch.h"

namespace kv {

using NodeId = FolderTreeModel::NodeId;

TrayTree::TrayTree(const PasswordDatabase& db, const AppSettings& settings, const Locale& locale)
    : db_(db), settings_(settings), locale_(locale) {}

void TrayTree::Build(const FolderTreeModel& folders) { folders_ = folders; }

void TrayTree::BuildFromDatabase() { folders_.Build(db_.Folders); }

int TrayTree::FolderOf(NodeId node) const {
    const int index = folders_.FolderIndex(node);
    return index >= 0 && static_cast<std::size_t>(index) < db_.Folders.size() ? index : -1;
}

const Folder* TrayTree::FolderAt(NodeId node) const {
    const int index = FolderOf(node);
    return index < 0 ? nullptr : &db_.Folders[static_cast<std::size_t>(index)];
}

Category TrayTree::CategoryOf(NodeId node) const { return CategoryOfNode(folders_, db_.Folders, node); }

std::vector<TrayCell> TrayTree::Cells(NodeId node, int record) const {
    std::vector<TrayCell> cells;
    const Folder* folder = FolderAt(node);
    if (folder == nullptr || record < 0 || static_cast<std::size_t>(record) >= folder->records.size()) return cells;
    const Record& values = folder->records[static_cast<std::size_t>(record)];
    const ColumnList& columns = settings_.ColumnSets[static_cast<std::size_t>(CategoryOf(node) - 1)];
    for (int slot = 0; slot < kColumnSlots; ++slot) {
        const int column = columns[static_cast<std::size_t>(slot)];
        if (column < 0 || column >= kFieldCount) continue;
        if (HasCellText(values, column)) cells.push_back({column, slot});
    }
    return cells;
}

int TrayTree::NextRecord(NodeId node, int after) const {
    const Folder* folder = FolderAt(node);
    if (folder == nullptr) return -1;
    for (std::size_t r = static_cast<std::size_t>(after + 1); r < folder->records.size(); ++r) {
        if (!Cells(node, static_cast<int>(r)).empty()) return static_cast<int>(r);
    }
    return -1;
}

std::vector<int> TrayTree::Records(NodeId node) const {
    std::vector<int> records;
    for (int r = NextRecord(node, -1); r >= 0; r = NextRecord(node, r)) records.push_back(r);
    return records;
}

TrayCell TrayTree::CellOf(const TrayItem& item) const {
    if (item.IsFolder()) return {};
    const std::vector<TrayCell> cells = Cells(item.node, item.record);
    return item.cell >= 0 && static_cast<std::size_t>(item.cell) < cells.size()
               ? cells[static_cast<std::size_t>(item.cell)]
               : TrayCell{};
}

std::vector<TrayItem> TrayTree::Children(const TrayItem& item) const {
    std::vector<TrayItem> children;
    if (item.IsFolder()) {
        if (item.node != FolderTreeModel::kRoot) {
            for (const int record : Records(item.node)) children.push_back({item.node, record, 0});
        }
        for (const NodeId child : folders_.Children(item.node)) children.push_back({child, -1, 0});
    } else if (item.cell == 0) {
        const std::size_t count = Cells(item.node, item.record).size();
        for (std::size_t cell = 1; cell < count; ++cell) children.push_back({item.node, item.record, static_cast<int>(cell)});
    }
    return children;
}

bool TrayTree::HasChildren(const TrayItem& item) const {
    if (item.IsFolder()) return !folders_.Children(item.node).empty() || NextRecord(item.node, -1) >= 0;
    return item.cell == 0 && Cells(item.node, item.record).size() > 1;
}

TrayItem TrayTree::Parent(const TrayItem& item) const {
    if (item.cell > 0) return {item.node, item.record, 0};
    if (!item.IsFolder()) return {item.node, -1, 0};
    return {folders_.Parent(item.node), -1, 0};
}

TrayItem TrayTree::First() const {
    const std::vector<NodeId>& top = folders_.Children(FolderTreeModel::kRoot);
    return top.empty() ? TrayItem{} : TrayItem{top.front(), -1, 0};
}

// The next item under the same parent; node 0 when there is none.
TrayItem TrayTree::NextSibling(const TrayItem& item) const {
    if (item.IsFolder()) {
        const std::vector<NodeId>& siblings = folders_.Children(folders_.Parent(item.node));
        for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
            if (siblings[i] == item.node) return {siblings[i + 1], -1, 0};
        }
        return {};
    }
    if (item.cell > 0) {
        const std::size_t count = Cells(item.node, item.record).size();
        return static_cast<std::size_t>(item.cell) + 1 < count ? TrayItem{item.node, item.record, item.cell + 1}
                                                               : TrayItem{};
    }
    return FirstAfterRecord(item.node, item.record);
}

// The record item after `record` in a folder, else the folder's first subfolder.
TrayItem TrayTree::FirstAfterRecord(NodeId node, int record) const {
    const int next = NextRecord(node, record);
    if (next >= 0) return {node, next, 0};
    const std::vector<NodeId>& subfolders = folders_.Children(node);
    return subfolders.empty() ? TrayItem{} : TrayItem{subfolders.front(), -1, 0};
}

TrayItem TrayTree::Next(const TrayItem& item) const {
    if (item.node == FolderTreeModel::kRoot) return {};
    // The first child, found without listing every record of a folder.
    if (item.IsFolder()) {
        const TrayItem child = FirstAfterRecord(item.node, -1);
        if (child.node != FolderTreeModel::kRoot) return child;
    } else if (item.cell == 0 && Cells(item.node, item.record).size() > 1) {
        return {item.node, item.record, 1};
    }
    // Otherwise the next sibling of the item or of its nearest ancestor.
    TrayItem current = item;
    while (current.node != FolderTreeModel::kRoot) {
        const TrayItem sibling = NextSibling(current);
        if (sibling.node != FolderTreeModel::kRoot) return sibling;
        current = Parent(current);
    }
    return {};
}

TrayItem TrayTree::Find(const TrayItem& from, const std::string& text, std::uint32_t options) const {
    const auto matches = [&](const TrayItem& item) { return MatchesSearch(Text(item), text, options); };
    if (from.node == FolderTreeModel::kRoot) {
        for (TrayItem item = First(); item.node != FolderTreeModel::kRoot; item = Next(item)) {
            if (matches(item)) return item;
        }
        return {};
    }
    bool wrapped = false;
    for (TrayItem item = Next(from);; item = Next(item)) {
        if (item.node == FolderTreeModel::kRoot) {
            if (wrapped) return {};  // `from` is no longer in the tree
            wrapped = true;
            item = First();
        }
        if (matches(item)) return item;
        if (item == from) return {};
    }
}

const Record* TrayTree::RecordOf(const TrayItem& item) const {
    const Folder* folder = FolderAt(item.node);
    if (folder == nullptr || item.IsFolder() || static_cast<std::size_t>(item.record) >= folder->records.size()) {
        return nullptr;
    }
    return &folder->records[static_cast<std::size_t>(item.record)];
}

std::string TrayTree::Text(const TrayItem& item) const { return ItemText(item, settings_.Mask != 0); }

std::string TrayTree::Value(const TrayItem& item) const { return ItemText(item, false); }

SecretString TrayTree::TypedText(const TrayItem& item, bool sendTab) const {
    SecretString text(Value(item));
    if (sendTab && !text.empty()) text.Append("{TAB}");
    return text;
}

std::string TrayTree::ItemText(const TrayItem& item, bool mask) const {
    if (item.IsFolder()) return folders_.Label(item.node);
    const Record* record = RecordOf(item);
    const TrayCell cell = CellOf(item);
    return record == nullptr || cell.column < 0 ? std::string() : CellText(*record, cell.column, mask, locale_);
}

bool TrayTree::HasFormData(const TrayItem& item) const {
    const Record* record = RecordOf(item);
    return record != nullptr && !record->formData.empty();
}

}  // namespace kv
