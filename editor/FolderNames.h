// The rules for a folder's name, checked when a folder is added or renamed.
#pragma once

#include <string>

#include "views/FolderTreeModel.h"

namespace kv {

// The outcome of checking a name, failures in the order they are checked.
enum class FolderNameCheck {
    Ok,
    Empty,      // refused without a message
    Duplicate,  // a sibling has exactly this name
    Tilde,      // the name contains the path separator
    TooLong,    // the full path would reach 260 characters
};

// Checks `name` for a node under `parent`. `self` is the node being renamed
// (or the new node already added for naming); it is not compared with itself,
// so a change of letter case only is accepted. Pass 0 when there is no node.
FolderNameCheck CheckFolderName(const FolderTreeModel& model, FolderTreeModel::NodeId parent,
                                const std::string& name, FolderTreeModel::NodeId self = 0);

// Checks a drop of `dragged` (with its subfolders) under `target` by the same
// rules: no sibling of the target level may carry its name, and the longest
// path below it must stay within the limit at its new place.
FolderNameCheck CheckFolderDrop(const FolderTreeModel& model, FolderTreeModel::NodeId dragged,
                                FolderTreeModel::NodeId target);

// The message shown for a failed check (empty for Ok and Empty); TooLong is
// shown with a stop icon.
std::string FolderNameMessage(FolderNameCheck check);

}  // namespace kv
