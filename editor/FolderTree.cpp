#include "editor/FolderTree.h"

#include "desktop/MessageBox.h"
#include "editor/FolderNames.h"
#include "platform/Locale.h"
#include "resources/bitmaps.h"
#include "settings/AppSettings.h"
#include "uikit/BitmapButton.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;

constexpr char kNewFolderLabel[] = "New folder";
constexpr int kFolderImage = 0;
constexpr int kSelectedImage = 1;

}  // namespace

CFolderTree::CFolderTree(PasswordDatabase& db, UndoHistory& undo, const AppSettings& settings, FolderTreeHost& host)
    : db_(db), undo_(undo), settings_(settings), host_(host) {}

void CFolderTree::Initialise(HWND tree) {
    Attach(tree);
    images_ = ui::BuildImageList({IDB_FOLDER, IDB_FOLDER_OPEN, IDB_TREE_ITEM}, 16);
    SetImageList(images_.get());
}

HTREEITEM CFolderTree::InsertNode(NodeId node, HTREEITEM parent) {
    HTREEITEM item = Insert(parent, model_.Label(node), node, kFolderImage, kSelectedImage);
    items_[node] = item;
    InsertChildren(node, item);
    return item;
}

void CFolderTree::InsertChildren(NodeId node, HTREEITEM item) {
    for (const NodeId child : model_.Children(node)) InsertNode(child, item);
}

void CFolderTree::Rebuild() {
    model_.Build(db_.Folders);
    Refresh();
    SelectFirstFolder();
}

void CFolderTree::Refresh() {
    const NodeId selected = SelectedNode();
    rebuilding_ = true;
    SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    DeleteAll();
    items_.clear();
    InsertChildren(FolderTreeModel::kRoot, nullptr);
    if (selected != 0 && items_.count(selected) == 1) Select(items_[selected]);
    SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
    rebuilding_ = false;
}

NodeId CFolderTree::NodeOf(HTREEITEM item) const {
    return item == nullptr ? 0 : static_cast<NodeId>(ItemData(item));
}

HTREEITEM CFolderTree::ItemOf(NodeId node) const {
    const auto found = items_.find(node);
    return found == items_.end() ? nullptr : found->second;
}

NodeId CFolderTree::SelectedNode() const { return NodeOf(Selection()); }

int CFolderTree::SelectedFolder() const {
    const NodeId node = SelectedNode();
    if (node == 0) return -1;
    const int index = model_.FolderIndex(node);
    return index >= 0 && static_cast<std::size_t>(index) < db_.Folders.size() ? index : -1;
}

bool CFolderTree::SelectFolder(int folderIndex) {
    const NodeId node = model_.FindFolder(folderIndex);
    return node != 0 && Select(ItemOf(node));
}

std::string CFolderTree::SelectedPath() const {
    const NodeId node = SelectedNode();
    return node == 0 ? std::string() : model_.PathOf(node);
}

bool CFolderTree::SelectPath(const std::string& path) {
    for (NodeId node = model_.First(); node != 0; node = model_.Next(node)) {
        if (model_.PathOf(node) == path) return Select(ItemOf(node));
    }
    return false;
}

Category CFolderTree::CategoryOfSelection() const {
    const NodeId node = SelectedNode();
    return node == 0 ? kDefaultCategory : CategoryOfNode(model_, db_.Folders, node);
}

bool CFolderTree::SelectionIsTopLevel() const {
    const NodeId node = SelectedNode();
    return node != 0 && model_.Parent(node) == FolderTreeModel::kRoot;
}

void CFolderTree::SelectFirstFolder() {
    // The editor hears of the selection once, whether or not it moved.
    rebuilding_ = true;
    if (const NodeId first = model_.First(); first != 0) Select(ItemOf(first));
    rebuilding_ = false;
    OnSelectionChanged();
}

void CFolderTree::OnSelectionChanged() {
    if (!rebuilding_) host_.FolderSelected(SelectedFolder());
}

bool CFolderTree::CheckName(NodeId parent, const std::string& name, NodeId self) {
    return Accept(CheckFolderName(model_, parent, name, self));
}

bool CFolderTree::Accept(FolderNameCheck check) {
    if (check == FolderNameCheck::Ok) return true;
    if (check != FolderNameCheck::Empty) {
        ShowMessage(FolderNameMessage(check), check == FolderNameCheck::TooLong ? MB_OK | MB_ICONSTOP : MB_OK);
    }
    return false;
}

void CFolderTree::BeginAdd(bool subfolder) {
    const NodeId parent = subfolder ? SelectedNode() : FolderTreeModel::kRoot;
    if (subfolder && parent == 0) return;
    const NodeId node = model_.AddChild(parent, kNewFolderLabel, -1);
    HTREEITEM item = InsertNode(node, parent == FolderTreeModel::kRoot ? nullptr : ItemOf(parent));
    naming_ = Naming::NewFolder;
    editing_ = node;
    Select(item);
    host_.FolderSelected(-1);
    SetFocus(hwnd());
    SendMessageA(hwnd(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
}

void CFolderTree::BeginRename() {
    const NodeId node = SelectedNode();
    if (node == 0) return;
    naming_ = Naming::Rename;
    editing_ = node;
    SetFocus(hwnd());
    SendMessageA(hwnd(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(ItemOf(node)));
}

LRESULT CFolderTree::OnBeginLabelEdit(NMTVDISPINFOA& info) {
    const NodeId node = NodeOf(info.item.hItem);
    if (naming_ == Naming::None) {
        naming_ = Naming::Rename;
        editing_ = node;
    }
    HWND edit = reinterpret_cast<HWND>(SendMessageA(hwnd(), TVM_GETEDITCONTROL, 0, 0));
    if (edit != nullptr) {
        if (model_.Label(node).empty()) SetWindowTextA(edit, kNewFolderLabel);
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }
    return FALSE;
}

void CFolderTree::DiscardNewFolder() {
    HTREEITEM item = ItemOf(editing_);
    ForgetItems(editing_);
    model_.Remove(editing_);
    Delete(item);
}

void CFolderTree::ForgetItems(NodeId node) {
    for (const NodeId child : model_.Children(node)) ForgetItems(child);
    items_.erase(node);
}

LRESULT CFolderTree::OnEndLabelEdit(NMTVDISPINFOA& info) {
    const Naming naming = naming_;
    const NodeId node = editing_;
    naming_ = Naming::None;
    editing_ = 0;
    if (node == 0) return FALSE;
    const std::string name = info.item.pszText != nullptr ? info.item.pszText : "";
    const bool accepted = info.item.pszText != nullptr && CheckName(model_.Parent(node), name, node);
    if (naming == Naming::NewFolder) {
        if (!accepted) {
            editing_ = node;
            DiscardNewFolder();
            editing_ = 0;
            SelectFirstFolder();
            return FALSE;
        }
        model_.SetLabel(node, name);
        SetItemText(ItemOf(node), name);
        const NodeId parent = model_.Parent(node);
        const Category category = parent == FolderTreeModel::kRoot
                                      ? static_cast<Category>(settings_.DefaultCategory)
                                      : CategoryOfNode(model_, db_.Folders, parent);
        const int index = AddFolder(db_, model_.PathOf(node), category);
        db_.Folders[static_cast<std::size_t>(index)].present = 0;
        model_.SetFolderIndex(node, index);
        // Taken while the new folder is not present yet, so that undoing removes it.
        undo_.PushUndo("add folder " + model_.PathOf(node), true, db_.Folders, model_.PreOrder());
        db_.Folders[static_cast<std::size_t>(index)].present = 1;
        Select(ItemOf(node));
        host_.FoldersChanged();
        host_.FolderAdded(index);
        return FALSE;
    }
    if (!accepted) return FALSE;
    undo_.PushUndo("rename folder: " + model_.Label(node), true, db_.Folders, model_.PreOrder());
    model_.SetLabel(node, name);
    SetItemText(ItemOf(node), name);
    RewritePaths(model_, node, db_.Folders);
    Select(ItemOf(node));
    host_.FoldersChanged();
    return FALSE;  // the label is set above
}

void CFolderTree::DeleteSelection() {
    const NodeId node = SelectedNode();
    if (node == 0) return;
    host_.ShowDeleteHighlight(true);
    const std::string label = model_.Label(node);
    const int answer = ShowMessage("Are you sure you want to delete the " + label +
                                       " folder\nincluding all subfolders and passwords?",
                                   MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        undo_.PushUndo("delete folder: " + label, true, db_.Folders, model_.PreOrder());
        MarkDeleted(model_, node, db_.Folders);
        HTREEITEM item = ItemOf(node);
        ForgetItems(node);
        model_.Remove(node);
        rebuilding_ = true;
        Delete(item);
        rebuilding_ = false;
        SelectFirstFolder();
        host_.FoldersChanged();
    }
    host_.ShowDeleteHighlight(false);
}

void CFolderTree::SetCategory(Category category) {
    const int index = SelectedFolder();
    if (index < 0 || !SelectionIsTopLevel()) return;
    db_.Folders[static_cast<std::size_t>(index)].category = category;
    host_.FoldersChanged();
    host_.FolderSelected(index);
}

void CFolderTree::ExpandAll(bool expand) {
    for (HTREEITEM item = Root(); item != nullptr; item = NextInPreOrder(item)) {
        if (Child(item) != nullptr) Expand(item, expand ? TVE_EXPAND : TVE_COLLAPSE);
    }
}

void CFolderTree::ToggleSort() {
    ascending_ = !ascending_;
    const Locale& locale = SystemLocale();
    model_.Sort(ascending_, [&locale](const std::string& a, const std::string& b) {
        return locale.CompareNoCase(a, b);
    });
    Refresh();
}

void CFolderTree::Drop(NodeId dragged, NodeId target) {
    switch (DecideDrop(model_, dragged, target)) {
        case DropDecision::NoChange:
            Select(ItemOf(dragged));
            return;
        case DropDecision::OntoChild:
            ShowMessage(kDropOntoChildMessage);
            return;
        case DropDecision::Move:
            break;
    }
    if (!Accept(CheckFolderDrop(model_, dragged, target))) return;
    undo_.PushUndo("move folder: " + model_.Label(dragged), true, db_.Folders, model_.PreOrder());
    model_.MoveTo(dragged, target);
    RewritePaths(model_, dragged, db_.Folders);
    Refresh();
    Select(ItemOf(dragged));
    host_.FoldersChanged();
}

}  // namespace kv
