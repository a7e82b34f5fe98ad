// The tree of present folders with a check box on every item, as the pages
// of the Import/Export sheet show it, and the order in which they read it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "db/Record.h"
#include "uikit/Controls.h"
#include "views/FolderTreeModel.h"

namespace kv {

class FolderCheckTree {
public:
    // Fills the tree control with the present folders, every level open, the
    // first folder selected and every box ticked when `ticked`.
    void Fill(HWND tree, const std::vector<Folder>& folders, bool ticked);

    void CheckAll(bool ticked);
    bool IsChecked(HTREEITEM item) const;
    void SetChecked(HTREEITEM item, bool ticked) const;

    // The folder indexes of the ticked items in the order the pages walk the
    // tree: an item, then its later siblings with everything below them, then
    // its own children (levels that hold no folder are passed over).
    std::vector<int> CheckedFolders() const;
    // The first of those, or -1 when no folder is ticked.
    int FirstCheckedFolder() const;

    // Ticks `item` and clears every other box: the one-box rule.
    void TickOnly(HTREEITEM item);

    // The item whose box the user changed since the tree last set its boxes
    // (after a click or a key has been handled), or null.
    HTREEITEM ChangedBox() const;

    HTREEITEM ItemOf(FolderTreeModel::NodeId node) const;

private:
    ui::TreeView view_;
    FolderTreeModel model_;
    // Remembers every box as it is now, for ChangedBox.
    void Remember();

    std::vector<HTREEITEM> items_;  // by node id
    std::vector<bool> ticked_;      // by node id, as last set here
};

}  // namespace kv
