// The folder tree of the editor (CFolderTree): a tree control that shows the
// folder tree model, and the folder operations with their rules, questions
// and undo levels.
#pragma once

#include <unordered_map>
#include <vector>

#include "db/Database.h"
#include "editor/FolderNames.h"
#include "uikit/Controls.h"
#include "uikit/ImageList.h"
#include "views/FolderTreeModel.h"

namespace kv {

class UndoHistory;
struct AppSettings;

// What the tree needs of the editor around it.
class FolderTreeHost {
public:
    virtual ~FolderTreeHost() = default;
    // The selection moved to another folder (-1: none).
    virtual void FolderSelected(int folderIndex) = 0;
    // Folders were added, renamed, deleted, moved or changed category.
    virtual void FoldersChanged() = 0;
    // A new folder was added: it gets an empty record to fill in.
    virtual void FolderAdded(int folderIndex) = 0;
    // Paints the grid's rows red while a folder's deletion is asked about.
    virtual void ShowDeleteHighlight(bool on) = 0;
};

class CFolderTree : public ui::TreeView {
public:
    enum class Naming { None, NewFolder, Rename };

    CFolderTree(PasswordDatabase& db, UndoHistory& undo, const AppSettings& settings, FolderTreeHost& host);

    void Initialise(HWND tree);

    // Builds the tree from the folder array and selects the first folder.
    void Rebuild();
    // Shows the model again after it changed shape (keeps the selection).
    void Refresh();

    int SelectedFolder() const;
    FolderTreeModel::NodeId SelectedNode() const;
    bool SelectFolder(int folderIndex);
    // The path of the selected node ("" when none), and the node with a path selected again.
    std::string SelectedPath() const;
    bool SelectPath(const std::string& path);
    // The folders in tree order with their paths, for saving and undo.
    std::vector<FolderVisit> Walk() const { return model_.PreOrder(); }
    Category CategoryOfSelection() const;
    bool SelectionIsTopLevel() const;
    const FolderTreeModel& model() const { return model_; }
    FolderTreeModel::NodeId NodeOf(HTREEITEM item) const;
    HTREEITEM ItemOf(FolderTreeModel::NodeId node) const;

    // Commands.
    void BeginAdd(bool subfolder);
    void BeginRename();
    void DeleteSelection();
    void SetCategory(Category category);
    void ExpandAll(bool expand);
    // Sorts every level by name; the first call sorts descending.
    void ToggleSort();
    bool SortedAscending() const { return ascending_; }

    // Moves a folder (with what is below it) under `target` (0: top level),
    // as a drop does; refuses a drop onto a folder below it.
    void Drop(FolderTreeModel::NodeId dragged, FolderTreeModel::NodeId target);

    Naming naming() const { return naming_; }
    // Notifications of the tree control, passed on by its parent.
    LRESULT OnBeginLabelEdit(NMTVDISPINFOA& info);
    LRESULT OnEndLabelEdit(NMTVDISPINFOA& info);
    void OnSelectionChanged();

private:
    // Selects the first folder (if any) and tells the editor once.
    void SelectFirstFolder();
    HTREEITEM InsertNode(FolderTreeModel::NodeId node, HTREEITEM parent);
    void InsertChildren(FolderTreeModel::NodeId node, HTREEITEM item);
    void ForgetItems(FolderTreeModel::NodeId node);
    void DiscardNewFolder();
    bool CheckName(FolderTreeModel::NodeId parent, const std::string& name, FolderTreeModel::NodeId self);
    // True for an accepted name; otherwise tells the user why, when there is a reason to give.
    static bool Accept(FolderNameCheck check);

    PasswordDatabase& db_;
    UndoHistory& undo_;
    const AppSettings& settings_;
    FolderTreeHost& host_;
    FolderTreeModel model_;
    std::unordered_map<FolderTreeModel::NodeId, HTREEITEM> items_;
    ui::ImageList images_;
    Naming naming_ = Naming::None;
    FolderTreeModel::NodeId editing_ = 0;
    bool rebuilding_ = false;
    bool ascending_ = true;
};

}  // namespace kv
