// The tray dialog's tree as a portable model: the folders nested as the
// editor shows them, under each folder one item per record (its first
// non-empty column in the category's column list) with the record's other
// non-empty columns below that item, then the folder's subfolders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Database.h"
#include "platform/SecretString.h"
#include "settings/AppSettings.h"
#include "views/FolderTreeModel.h"

namespace kv {

class Locale;

// One item of the tray tree. A folder item has record -1; a record item
// (the record's first value) has cell 0; the values below it have cell 1 on.
struct TrayItem {
    FolderTreeModel::NodeId node = FolderTreeModel::kRoot;
    int record = -1;
    int cell = 0;

    bool IsFolder() const { return record < 0; }
    bool operator==(const TrayItem& other) const {
        return node == other.node && record == other.record && cell == other.cell;
    }
    bool operator!=(const TrayItem& other) const { return !(*this == other); }
};

// A value shown in the tree: the record field and its slot in the column list.
struct TrayCell {
    int column = -1;
    int slot = -1;
};

class TrayTree {
public:
    TrayTree(const PasswordDatabase& db, const AppSettings& settings, const Locale& locale);

    // Takes the folder hierarchy (and its order) from the editor's tree.
    void Build(const FolderTreeModel& folders);
    // Builds the hierarchy from the present folders in stored order.
    void BuildFromDatabase();

    const FolderTreeModel& folders() const { return folders_; }

    // The folder index of a node, -1 for a level without a folder.
    int FolderOf(FolderTreeModel::NodeId node) const;
    // The category that governs a node: its top-level folder's, 1 when invalid.
    Category CategoryOf(FolderTreeModel::NodeId node) const;

    // The non-empty values of a record in the order of the category's column list.
    std::vector<TrayCell> Cells(FolderTreeModel::NodeId node, int record) const;
    // The records of a folder node that have at least one value, in order.
    std::vector<int> Records(FolderTreeModel::NodeId node) const;

    // The value cell an item shows; column -1 for a folder item.
    TrayCell CellOf(const TrayItem& item) const;

    // The children of an item in tree order: a folder's records, then its
    // subfolders; a record item's further values; nothing below a value.
    std::vector<TrayItem> Children(const TrayItem& item) const;
    bool HasChildren(const TrayItem& item) const;
    // The item above: a value's record item, a record item's folder, a
    // folder's parent folder (node 0 at the top).
    TrayItem Parent(const TrayItem& item) const;

    // The first item in tree order, and the successor in pre-order; an item
    // with node 0 means none.
    TrayItem First() const;
    TrayItem Next(const TrayItem& item) const;

    // The next item after `from` (from the first item when `from` is none)
    // whose shown text matches the search text, wrapping around at the end
    // and coming back to `from` last; node 0 when no item matches.
    TrayItem Find(const TrayItem& from, const std::string& text, std::uint32_t options) const;

    // The text the tree shows: the folder's name, or the value (a password
    // as "*****" while masking).
    std::string Text(const TrayItem& item) const;
    // What copy and paste use: the folder's name or the unmasked value.
    std::string Value(const TrayItem& item) const;
    // What Paste types: the value, followed by the "{TAB}" playback token
    // when `sendTab`; empty when the value is empty.
    SecretString TypedText(const TrayItem& item, bool sendTab) const;
    // Whether the item's record has stored form data.
    bool HasFormData(const TrayItem& item) const;
    // The record behind an item; nullptr for a folder item.
    const Record* RecordOf(const TrayItem& item) const;

private:
    std::string ItemText(const TrayItem& item, bool mask) const;
    const Folder* FolderAt(FolderTreeModel::NodeId node) const;
    TrayItem NextSibling(const TrayItem& item) const;
    // The first record with a value after `after` (-1: from the start); -1 when none.
    int NextRecord(FolderTreeModel::NodeId node, int after) const;
    TrayItem FirstAfterRecord(FolderTreeModel::NodeId node, int record) const;

    const PasswordDatabase& db_;
    const AppSettings& settings_;
    const Locale& locale_;
    FolderTreeModel folders_;
};

}  // namespace kv
