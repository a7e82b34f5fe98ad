// The tray dialog's tree control over the portable tray tree. Folders are
// inserted at once; the records of a folder and the further values of a
// record are inserted when their item first expands, so that opening the
// dialog on a large file stays quick. Texts are supplied as the control
// draws them, so a password shows "*****" while masking.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "uikit/Controls.h"
#include "uikit/ImageList.h"
#include "views/TrayTree.h"

namespace kv {

class CTrayTreeView : public ui::TreeView {
public:
    CTrayTreeView(const PasswordDatabase& db, const AppSettings& settings);
    CTrayTreeView(const CTrayTreeView&) = delete;
    CTrayTreeView& operator=(const CTrayTreeView&) = delete;

    void Initialise(HWND tree);

    // Deletes every item and inserts the folders again: in the editor's
    // order when `editorFolders` is given, else in stored order.
    void Rebuild(const FolderTreeModel* editorFolders);

    const TrayTree& model() const { return model_; }
    TrayItem ItemOf(HTREEITEM handle) const;
    TrayItem SelectedItem() const { return ItemOf(Selection()); }
    // Inserts what lies above `item`, then selects it and scrolls it into view.
    void Reveal(const TrayItem& item);
    void ExpandAll();
    void CollapseAll();

    // The parent window passes on these notifications of the control.
    void OnGetDispInfo(NMTVDISPINFOA& info);
    void OnItemExpanding(const NMTREEVIEWA& info);

private:
    static std::uint64_t KeyOf(const TrayItem& item);
    HTREEITEM Insert(const TrayItem& item, HTREEITEM parent, HTREEITEM after);
    void InsertChildren(HTREEITEM handle);
    HTREEITEM HandleOf(const TrayItem& item) const;
    int ImageOf(const TrayItem& item) const;

    const AppSettings& settings_;
    TrayTree model_;
    std::vector<TrayItem> items_;  // item data: an index into this
    std::vector<bool> populated_;
    std::unordered_map<std::uint64_t, HTREEITEM> handles_;
    ui::ImageList images_;
};

}  // namespace kv
