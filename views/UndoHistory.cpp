#include "views/UndoHistory.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace kv {
namespace {

// A label of kLongLabel characters or more is shown as its first kShownLabel
// characters followed by "...".
constexpr std::size_t kLongLabel = 32;
constexpr std::size_t kShownLabel = 28;

}  // namespace

void UndoHistory::Clear() {
    for (Level& level : levels_) level = Level();
    newest_ = -1;
    count_ = 0;
}

void UndoHistory::PushUndo(const std::string& label, bool folderChange, const std::vector<Folder>& folders,
                           const std::vector<FolderVisit>& displayOrder) {
    newest_ = (newest_ + 1) % kLevels;
    count_ = std::min(count_ + 1, kLevels);
    Level& level = levels_[static_cast<std::size_t>(newest_)];
    level.label = label;
    level.folderChange = folderChange;
    if (!folderChange) {
        level.folders = folders;
        return;
    }
    // The tree's walk decides order and paths; levels of the tree without a
    // folder of their own have no index into the array and are left out.
    level.folders.clear();
    for (const FolderVisit& visit : displayOrder) {
        if (visit.folderIndex < 0 || static_cast<std::size_t>(visit.folderIndex) >= folders.size()) continue;
        level.folders.push_back(folders[static_cast<std::size_t>(visit.folderIndex)]);
        level.folders.back().path = visit.path;
    }
}

std::optional<UndoHistory::Restored> UndoHistory::Undo(std::vector<Folder>& folders) {
    if (count_ == 0) return std::nullopt;
    Level& level = levels_[static_cast<std::size_t>(newest_)];
    Restored restored{std::move(level.label), level.folderChange};
    folders = std::move(level.folders);
    level = Level();
    newest_ = (newest_ + kLevels - 1) % kLevels;
    --count_;
    return restored;
}

std::string UndoHistory::MenuText() const {
    std::string text = "&Undo";
    if (count_ == 0) return text;
    const std::string& label = levels_[static_cast<std::size_t>(newest_)].label;
    // The label is cut before escaping: its own length decides, and a doubled "&" is never split.
    const std::string shown = label.size() >= kLongLabel ? label.substr(0, kShownLabel) + "..." : label;
    text += ' ';
    for (const char c : shown) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

}  // namespace kv
