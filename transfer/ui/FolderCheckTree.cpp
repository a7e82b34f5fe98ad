#include "transfer/ui/FolderCheckTree.h"

namespace kv {
namespace {

// The state images of a tree with check boxes: 1 clear, 2 ticked.
UINT StateOf(bool ticked) { return INDEXTOSTATEIMAGEMASK(ticked ? 2u : 1u); }

}  // namespace

void FolderCheckTree::Fill(HWND tree, const std::vector<Folder>& folders, bool ticked) {
    view_.Attach(tree);
    view_.DeleteAll();
    // Setting the style anew makes the tree create its box images now; made
    // later, they would clear every box already ticked.
    const LONG_PTR style = GetWindowLongPtrA(tree, GWL_STYLE);
    SetWindowLongPtrA(tree, GWL_STYLE, style & ~static_cast<LONG_PTR>(TVS_CHECKBOXES));
    SetWindowLongPtrA(tree, GWL_STYLE, style | TVS_CHECKBOXES);
    model_.Build(folders);
    items_.assign(1, TVI_ROOT);
    // Breadth first, so that every parent has its item before its children.
    std::vector<FolderTreeModel::NodeId> pending = model_.Children(FolderTreeModel::kRoot);
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const FolderTreeModel::NodeId node = pending[i];
        const auto at = static_cast<std::size_t>(node);
        if (items_.size() <= at) items_.resize(at + 1, nullptr);
        HTREEITEM parent = items_[static_cast<std::size_t>(model_.Parent(node))];
        items_[at] = view_.Insert(parent, model_.Label(node), node);
        for (const FolderTreeModel::NodeId child : model_.Children(node)) pending.push_back(child);
    }
    for (std::size_t node = 1; node < items_.size(); ++node) {
        if (items_[node] == nullptr) continue;
        SetChecked(items_[node], ticked);
        view_.Expand(items_[node]);
    }
    if (HTREEITEM first = view_.Root()) {
        view_.Select(first);
        view_.EnsureVisible(first);
    }
    Remember();
}

void FolderCheckTree::CheckAll(bool ticked) {
    for (std::size_t node = 1; node < items_.size(); ++node) {
        if (items_[node] != nullptr) SetChecked(items_[node], ticked);
    }
    Remember();
}

bool FolderCheckTree::IsChecked(HTREEITEM item) const {
    const auto state = static_cast<UINT>(view_.Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    return (state & TVIS_STATEIMAGEMASK) == StateOf(true);
}

void FolderCheckTree::SetChecked(HTREEITEM item, bool ticked) const {
    TVITEMA change{};
    change.mask = TVIF_HANDLE | TVIF_STATE;
    change.hItem = item;
    change.stateMask = TVIS_STATEIMAGEMASK;
    change.state = StateOf(ticked);
    view_.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

std::vector<int> FolderCheckTree::CheckedFolders() const {
    std::vector<int> folders;
    for (const FolderTreeModel::NodeId node : model_.SiblingsFirstOrder()) {
        const int folder = model_.FolderIndex(node);
        if (folder >= 0 && IsChecked(ItemOf(node))) folders.push_back(folder);
    }
    return folders;
}

int FolderCheckTree::FirstCheckedFolder() const {
    const std::vector<int> folders = CheckedFolders();
    return folders.empty() ? -1 : folders.front();
}

void FolderCheckTree::TickOnly(HTREEITEM item) {
    for (std::size_t node = 1; node < items_.size(); ++node) {
        if (items_[node] != nullptr) SetChecked(items_[node], items_[node] == item);
    }
    Remember();
}

void FolderCheckTree::Remember() {
    ticked_.assign(items_.size(), false);
    for (std::size_t node = 1; node < items_.size(); ++node) {
        ticked_[node] = items_[node] != nullptr && IsChecked(items_[node]);
    }
}

HTREEITEM FolderCheckTree::ChangedBox() const {
    for (std::size_t node = 1; node < items_.size(); ++node) {
        if (items_[node] != nullptr && IsChecked(items_[node]) != ticked_[node]) return items_[node];
    }
    return nullptr;
}

HTREEITEM FolderCheckTree::ItemOf(FolderTreeModel::NodeId node) const {
    const auto at = static_cast<std::size_t>(node);
    return node > 0 && at < items_.size() ? items_[at] : nullptr;
}

}  // namespace kv
