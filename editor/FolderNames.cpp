#include "editor/FolderNames.h"

#include <cstddef>

namespace kv {

FolderNameCheck CheckFolderName(const FolderTreeModel& model, FolderTreeModel::NodeId parent,
                                const std::string& name, FolderTreeModel::NodeId self) {
    if (name.empty()) return FolderNameCheck::Empty;
    const bool selfHasName = self != 0 && model.Parent(self) == parent && model.Label(self) == name;
    if (model.CountChildrenLabelled(parent, name) > (selfHasName ? 1u : 0u)) return FolderNameCheck::Duplicate;
    if (name.find(kPathSeparator) != std::string::npos) return FolderNameCheck::Tilde;
    const std::size_t parentLength = parent == FolderTreeModel::kRoot ? 0 : model.PathOf(parent).size() + 1;
    if (parentLength + name.size() > kMaxPathLength) return FolderNameCheck::TooLong;
    return FolderNameCheck::Ok;
}

FolderNameCheck CheckFolderDrop(const FolderTreeModel& model, FolderTreeModel::NodeId dragged,
                                FolderTreeModel::NodeId target) {
    const std::string& label = model.Label(dragged);
    const FolderNameCheck own = CheckFolderName(model, target, label);
    if (own != FolderNameCheck::Ok) return own;
    // The paths below the dragged folder keep what follows its parent's path.
    const std::size_t oldPrefix = model.PathOf(dragged).size() - label.size();
    const std::size_t newPrefix = target == FolderTreeModel::kRoot ? 0 : model.PathOf(target).size() + 1;
    for (const FolderVisit& visit : model.PreOrder(dragged)) {
        if (newPrefix + visit.path.size() - oldPrefix > kMaxPathLength) return FolderNameCheck::TooLong;
    }
    return FolderNameCheck::Ok;
}

std::string FolderNameMessage(FolderNameCheck check) {
    switch (check) {
        case FolderNameCheck::Duplicate:
            return "An entry with that name already exists";
        case FolderNameCheck::Tilde:
            return std::string("Please do not use the ") + kPathSeparator + " character in folder names.";
        case FolderNameCheck::TooLong:
            return "The full length of this folder exceeds the maximum size of " + std::to_string(kMaxPathLength + 1) +
                   " characters.\nPlease shorten the name or create a new non-subfolder.";
        case FolderNameCheck::Ok:
        case FolderNameCheck::Empty:
            break;
    }
    return std::string();
}

}  // namespace kv
