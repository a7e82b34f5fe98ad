#include "transfer/ui/FolderCheckTree.h"

namespace kv {
namespace {

// The state images of a tree with check boxes: 1 clear, 2 ticked.
UINT StateOf(bool ticked) { return INDEXTOSTATEIMAGEMASK(ticked ? 2u : 1u); }

}  // namespace

void FolderCheckTree::Fill(HWND tree, const std::vector<Folder>& folders, bool ticked) {
    view_.Attach(tree);
    view_.DeleteAll();
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
}

void FolderCheckTree::CheckAll(bool ticked) const {
    for (std::size_t node = 1; node < items_.size(); ++node) {
        if (items_[node] != nullptr) SetChecked(items_[node], ticked);
    }
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

void FolderCheckTree::TickOnly(HTREEITEM item) const {
    for (std::size_t node = 1; node < items_.size(); ++node) {
        if (items_[node] != nullptr) SetChecked(items_[node], items_[node] == item);
    }
}

HTREEITEM FolderCheckTree::CheckBoxUnderCursor() const {
    const DWORD position = GetMessagePos();
    TVHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(view_.hwnd(), &hit.pt);
    HTREEITEM item = reinterpret_cast<HTREEITEM>(view_.Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEMSTATEICON) != 0 ? item : nullptr;
}

HTREEITEM FolderCheckTree::ItemOf(FolderTreeModel::NodeId node) const {
    const auto at = static_cast<std::size_t>(node);
    return node > 0 && at < items_.size() ? items_[at] : nullptr;
}

}  // namespace kv
