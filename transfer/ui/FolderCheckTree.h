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

    void CheckAll(bool ticked) const;
    bool IsChecked(HTREEITEM item) const;
    void SetChecked(HTREEITEM item, bool ticked) const;

    // The folder indexes of the ticked items in the order the pages walk the
    // tree: an item, then its later siblings with everything below them, then
    // its own children (levels that hold no folder are passed over).
    std::vector<int> CheckedFolders() const;
    // The first of those, or -1 when no folder is ticked.
    int FirstCheckedFolder() const;

    // Ticks `item` and clears every other box: the one-box rule.
    void TickOnly(HTREEITEM item) const;

    // The item whose check box lies under the cursor of the message being
    // handled, or null.
    HTREEITEM CheckBoxUnderCursor() const;

    HTREEITEM ItemOf(FolderTreeModel::NodeId node) const;
    const ui::TreeView& view() const { return view_; }

private:
    ui::TreeView view_;
    FolderTreeModel model_;
    std::vector<HTREEITEM> items_;  // by node id
};

}  // namespace kv
