#include "views/FolderTreeModel.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;

// Whether a node's folder index names a folder (it is -1 for a level without one).
bool IsFolderIndex(const std::vector<Folder>& folders, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < folders.size();
}

}  // namespace

FolderTreeModel::FolderTreeModel() { Build({}); }

bool FolderTreeModel::IsNode(NodeId node) const {
    return node >= 0 && static_cast<std::size_t>(node) < nodes_.size() && nodes_[static_cast<std::size_t>(node)].live;
}

FolderTreeModel::Node& FolderTreeModel::At(NodeId node) { return nodes_[static_cast<std::size_t>(node)]; }

const FolderTreeModel::Node& FolderTreeModel::At(NodeId node) const { return nodes_[static_cast<std::size_t>(node)]; }

void FolderTreeModel::Build(const std::vector<Folder>& folders) {
    nodes_.clear();
    nodes_.reserve(folders.size() + 1);
    nodes_.emplace_back();
    nodes_.front().live = true;
    count_ = 0;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (folders[i].present != 0) InsertPath(folders[i].path, static_cast<int>(i));
    }
}

NodeId FolderTreeModel::InsertPath(const std::string& path, int folderIndex) {
    NodeId parent = kRoot;
    std::size_t start = 0;
    for (std::size_t tilde = path.find(kPathSeparator); tilde != std::string::npos;
         tilde = path.find(kPathSeparator, start)) {
        const std::string name = path.substr(start, tilde - start);
        const NodeId existing = ChildLabelled(parent, name);
        parent = existing != 0 ? existing : AddChild(parent, name, -1);
        start = tilde + 1;
    }
    return AddChild(parent, path.substr(start), folderIndex);
}

NodeId FolderTreeModel::AddChild(NodeId parent, const std::string& label, int folderIndex) {
    if (!IsNode(parent)) return 0;
    const NodeId node = static_cast<NodeId>(nodes_.size());
    nodes_.emplace_back();
    Node& added = At(node);
    added.label = label;
    added.folderIndex = folderIndex;
    added.live = true;
    Attach(node, parent);
    ++count_;
    return node;
}

void FolderTreeModel::Remove(NodeId node) {
    if (!IsNode(node) || node == kRoot) return;
    Detach(node);
    std::vector<NodeId> pending{node};
    while (!pending.empty()) {
        const NodeId gone = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), At(gone).children.begin(), At(gone).children.end());
        At(gone) = Node();  // frees the slot's strings; the id stays unused
        --count_;
    }
}

void FolderTreeModel::MoveTo(NodeId node, NodeId newParent) {
    if (!IsNode(node) || node == kRoot || !IsNode(newParent) || node == newParent || IsAncestor(node, newParent)) {
        return;
    }
    Detach(node);
    Attach(node, newParent);
}

void FolderTreeModel::Sort(bool ascending, const LabelCompare& compare) {
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        Node& parent = nodes_[i];
        if (!parent.live || parent.children.size() < 2) continue;
        std::stable_sort(parent.children.begin(), parent.children.end(), [&](NodeId a, NodeId b) {
            const int order = compare(At(a).label, At(b).label);
            return ascending ? order < 0 : order > 0;
        });
        Reindex(static_cast<NodeId>(i));
    }
}

NodeId FolderTreeModel::Parent(NodeId node) const { return IsNode(node) ? At(node).parent : kRoot; }

const std::vector<NodeId>& FolderTreeModel::Children(NodeId node) const {
    static const std::vector<NodeId> none;
    return IsNode(node) ? At(node).children : none;
}

const std::string& FolderTreeModel::Label(NodeId node) const {
    static const std::string none;
    return IsNode(node) ? At(node).label : none;
}

void FolderTreeModel::SetLabel(NodeId node, const std::string& label) {
    if (!IsNode(node) || node == kRoot || At(node).label == label) return;
    UnindexLabel(node);
    At(node).label = label;
    IndexLabel(node);
}

int FolderTreeModel::FolderIndex(NodeId node) const { return IsNode(node) ? At(node).folderIndex : -1; }

void FolderTreeModel::SetFolderIndex(NodeId node, int folderIndex) {
    if (IsNode(node) && node != kRoot) At(node).folderIndex = folderIndex;
}

NodeId FolderTreeModel::ChildLabelled(NodeId parent, const std::string& label) const {
    if (!IsNode(parent)) return 0;
    const auto found = At(parent).labels.find(label);
    return found == At(parent).labels.end() ? 0 : found->second.first;
}

std::size_t FolderTreeModel::CountChildrenLabelled(NodeId parent, const std::string& label) const {
    if (!IsNode(parent)) return 0;
    const auto found = At(parent).labels.find(label);
    return found == At(parent).labels.end() ? 0 : found->second.count;
}

NodeId FolderTreeModel::FindFolder(int folderIndex) const {
    if (folderIndex < 0) return 0;
    for (NodeId node = First(); node != 0; node = Next(node)) {
        if (At(node).folderIndex == folderIndex) return node;
    }
    return 0;
}

std::string FolderTreeModel::PathOf(NodeId node) const {
    if (!IsNode(node)) return std::string();
    std::vector<const std::string*> labels;
    for (NodeId at = node; at != kRoot; at = At(at).parent) labels.push_back(&At(at).label);
    std::string path;
    for (auto label = labels.rbegin(); label != labels.rend(); ++label) {
        if (label != labels.rbegin()) path += kPathSeparator;
        path += **label;
    }
    return path;
}

bool FolderTreeModel::IsAncestor(NodeId ancestor, NodeId node) const {
    if (!IsNode(ancestor) || !IsNode(node)) return false;
    for (NodeId at = node; at != kRoot; at = At(at).parent) {
        if (At(at).parent == ancestor) return true;
    }
    return false;
}

NodeId FolderTreeModel::TopLevelOf(NodeId node) const {
    if (!IsNode(node) || node == kRoot) return 0;
    while (At(node).parent != kRoot) node = At(node).parent;
    return node;
}

NodeId FolderTreeModel::First() const {
    const std::vector<NodeId>& top = At(kRoot).children;
    return top.empty() ? 0 : top.front();
}

NodeId FolderTreeModel::Next(NodeId node) const { return NextWithin(node, kRoot); }

// The pre-order successor of `node` that still lies below `top`, 0 past its subtree.
NodeId FolderTreeModel::NextWithin(NodeId node, NodeId top) const {
    if (!IsNode(node)) return 0;
    if (!At(node).children.empty()) return At(node).children.front();
    for (NodeId at = node; at != top && at != kRoot; at = At(at).parent) {
        const std::vector<NodeId>& siblings = At(At(at).parent).children;
        const std::size_t next = At(at).position + 1;
        if (next < siblings.size()) return siblings[next];
    }
    return 0;
}

std::vector<NodeId> FolderTreeModel::SiblingsFirstOrder() const {
    std::vector<NodeId> order;
    order.reserve(count_);
    // Each node pushes its first child and then its next sibling, so the
    // sibling's whole walk comes before the child's.
    std::vector<NodeId> pending{First()};
    while (!pending.empty()) {
        const NodeId node = pending.back();
        pending.pop_back();
        if (node == 0) continue;
        order.push_back(node);
        const Node& n = At(node);
        const std::vector<NodeId>& siblings = At(n.parent).children;
        pending.push_back(n.children.empty() ? 0 : n.children.front());
        pending.push_back(n.position + 1 < siblings.size() ? siblings[n.position + 1] : 0);
    }
    return order;
}

std::vector<FolderVisit> FolderTreeModel::PreOrder(NodeId top) const {
    std::vector<FolderVisit> visits;
    if (!IsNode(top)) return visits;
    if (top == kRoot) visits.reserve(count_);
    // The nodes on the way down to the current one, each with the length of its
    // path, so that a node's path is its parent's path and its own label.
    const NodeId base = top == kRoot ? kRoot : At(top).parent;
    std::string path = PathOf(base);
    std::vector<std::pair<NodeId, std::size_t>> trail{{base, path.size()}};
    for (NodeId node = top == kRoot ? First() : top; node != 0; node = NextWithin(node, top)) {
        const NodeId parent = At(node).parent;
        while (trail.back().first != parent) trail.pop_back();
        path.resize(trail.back().second);
        if (parent != kRoot) path += kPathSeparator;
        path += At(node).label;
        trail.emplace_back(node, path.size());
        visits.push_back({At(node).folderIndex, path});
    }
    return visits;
}

// Appends `node` to `parent`'s children.
void FolderTreeModel::Attach(NodeId node, NodeId parent) {
    Node& child = At(node);
    child.parent = parent;
    child.position = At(parent).children.size();
    At(parent).children.push_back(node);
    IndexLabel(node);
}

// Takes `node` out of its parent's children; its subtree stays with it.
void FolderTreeModel::Detach(NodeId node) {
    UnindexLabel(node);
    std::vector<NodeId>& siblings = At(At(node).parent).children;
    const std::size_t position = At(node).position;
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(position));
    for (std::size_t i = position; i < siblings.size(); ++i) At(siblings[i]).position = i;
}

// Counts the label of `node`, which stands among its parent's children, and
// makes it the first of that label when no sibling before it has the label.
void FolderTreeModel::IndexLabel(NodeId node) {
    const Node& child = At(node);
    LabelEntry& entry = At(child.parent).labels[child.label];
    if (entry.count == 0 || child.position < At(entry.first).position) entry.first = node;
    ++entry.count;
}

// Forgets the label of `node`; when it was the first of that label, the next
// sibling with the label takes its place.
void FolderTreeModel::UnindexLabel(NodeId node) {
    const Node& child = At(node);
    Node& parent = At(child.parent);
    const auto found = parent.labels.find(child.label);
    LabelEntry& entry = found->second;
    if (--entry.count == 0) {
        parent.labels.erase(found);
        return;
    }
    if (entry.first != node) return;
    for (std::size_t i = child.position + 1; i < parent.children.size(); ++i) {
        if (At(parent.children[i]).label == child.label) {
            entry.first = parent.children[i];
            return;
        }
    }
}

// Renumbers the positions of `parent`'s children and indexes their labels anew.
void FolderTreeModel::Reindex(NodeId parent) {
    At(parent).labels.clear();
    const std::vector<NodeId>& children = At(parent).children;
    for (std::size_t i = 0; i < children.size(); ++i) {
        At(children[i]).position = i;
        IndexLabel(children[i]);
    }
}

Category CategoryOfNode(const FolderTreeModel& model, const std::vector<Folder>& folders, NodeId node) {
    const int index = model.FolderIndex(model.TopLevelOf(node));
    if (!IsFolderIndex(folders, index)) return kDefaultCategory;
    return EffectiveCategory(folders[static_cast<std::size_t>(index)].category);
}

void RewritePaths(const FolderTreeModel& model, NodeId node, std::vector<Folder>& folders) {
    for (const FolderVisit& visit : model.PreOrder(node)) {
        if (!IsFolderIndex(folders, visit.folderIndex)) continue;
        folders[static_cast<std::size_t>(visit.folderIndex)].path = visit.path;
    }
}

bool TreeMatchesFolders(const FolderTreeModel& model, const std::vector<Folder>& folders) {
    std::vector<bool> shown(folders.size(), false);
    for (const FolderVisit& visit : model.PreOrder()) {
        if (visit.folderIndex < 0) continue;
        if (!IsFolderIndex(folders, visit.folderIndex)) return false;
        const std::size_t index = static_cast<std::size_t>(visit.folderIndex);
        if (shown[index] || folders[index].present == 0 || folders[index].path != visit.path) return false;
        shown[index] = true;
    }
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (folders[i].present != 0 && !shown[i]) return false;
    }
    return true;
}

void PutParentsFirst(std::vector<Folder>& folders) {
    const auto depth = [](const Folder& folder) { return std::count(folder.path.begin(), folder.path.end(), kPathSeparator); };
    std::stable_sort(folders.begin(), folders.end(),
                     [&depth](const Folder& a, const Folder& b) { return depth(a) < depth(b); });
}

void MarkDeleted(const FolderTreeModel& model, NodeId node, std::vector<Folder>& folders) {
    for (const FolderVisit& visit : model.PreOrder(node)) {
        if (!IsFolderIndex(folders, visit.folderIndex)) continue;
        folders[static_cast<std::size_t>(visit.folderIndex)].present = 0;
    }
}

DropDecision DecideDrop(const FolderTreeModel& model, NodeId dragged, NodeId target) {
    if (dragged == FolderTreeModel::kRoot || target == dragged || target == model.Parent(dragged)) {
        return DropDecision::NoChange;
    }
    return model.IsAncestor(dragged, target) ? DropDecision::OntoChild : DropDecision::Move;
}

}  // namespace kv
