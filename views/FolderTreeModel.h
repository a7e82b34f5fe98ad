// The folder tree of the editor as a portable model: the hierarchy built from
// the folders' paths, which the tree control mirrors, and the folder
// operations that rewrite the folder array from it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/PasswordFile.h"
#include "db/Record.h"

namespace kv {

// Nodes carry a label and the index of their folder in `Folders` (-1 for a
// level that exists only because a path passes through it). Node ids are
// small integers that stay valid until their node is removed; they are not
// reused before the next Build. Id 0 is the invisible root, whose children are
// the top-level folders; where a node is returned, 0 also means none.
// Ids that name no node read as an empty leaf and are ignored by changes.
class FolderTreeModel {
public:
    using NodeId = int;
    // Orders two labels as strcmp does (negative, zero, positive).
    using LabelCompare = std::function<int(const std::string&, const std::string&)>;

    static constexpr NodeId kRoot = 0;

    FolderTreeModel();

    // Removes every node, then inserts the path of each present folder in array order.
    void Build(const std::vector<Folder>& folders);

    // Splits `path` at "~"; each name but the last reuses the first child of the
    // level above with exactly that label or adds an intermediate node; the last
    // name becomes a new node at the end of its parent's children.
    NodeId InsertPath(const std::string& path, int folderIndex);

    // Adds a node at the end of `parent`'s children; 0 when `parent` is no node.
    NodeId AddChild(NodeId parent, const std::string& label, int folderIndex);

    // Removes a node with everything below it (the root cannot be removed).
    void Remove(NodeId node);

    // Makes `node` with its subtree the last child of `newParent`; nothing when
    // `newParent` is the node itself or lies below it.
    void MoveTo(NodeId node, NodeId newParent);

    // Orders the children of every level by label; equal labels keep their order.
    void Sort(bool ascending, const LabelCompare& compare);

    NodeId Parent(NodeId node) const;
    const std::vector<NodeId>& Children(NodeId node) const;
    const std::string& Label(NodeId node) const;
    void SetLabel(NodeId node, const std::string& label);
    int FolderIndex(NodeId node) const;
    void SetFolderIndex(NodeId node, int folderIndex);

    // The first child of `parent` with exactly this label, 0 when none.
    NodeId ChildLabelled(NodeId parent, const std::string& label) const;
    // How many children of `parent` have exactly this label.
    std::size_t CountChildrenLabelled(NodeId parent, const std::string& label) const;

    // The first node in pre-order that carries `folderIndex`, 0 when none.
    NodeId FindFolder(int folderIndex) const;
    // The labels from the top-level node down to `node`, joined with "~".
    std::string PathOf(NodeId node) const;
    // Whether `ancestor` lies above `node` (a node is not its own ancestor).
    bool IsAncestor(NodeId ancestor, NodeId node) const;
    // The top-level node that `node` lies in (itself when top-level).
    NodeId TopLevelOf(NodeId node) const;

    // The first top-level node and the pre-order successor of a node: its first
    // child, else its next sibling, else the next sibling of the nearest
    // ancestor that has one; 0 at the end.
    NodeId First() const;
    NodeId Next(NodeId node) const;

    // The number of nodes below the root.
    std::size_t Count() const { return count_; }

    // Every node in pre-order with its folder index and path: the order in which
    // the file is written and undo snapshots are taken.
    std::vector<FolderVisit> PreOrder() const { return PreOrder(kRoot); }
    // `top` and the nodes below it in pre-order (the whole tree for the root).
    std::vector<FolderVisit> PreOrder(NodeId top) const;

    // Every node in the order in which the export and import pages walk their
    // trees: a node, then its later siblings with everything below them, then
    // its own children the same way.
    std::vector<NodeId> SiblingsFirstOrder() const;

private:
    // Where the first child with a label stands, and how many children have it.
    struct LabelEntry {
        NodeId first = 0;
        std::size_t count = 0;
    };

    struct Node {
        std::string label;
        int folderIndex = -1;
        NodeId parent = kRoot;
        std::size_t position = 0;  // index in the parent's children
        bool live = false;
        std::vector<NodeId> children;
        std::unordered_map<std::string, LabelEntry> labels;  // of the children
    };

    bool IsNode(NodeId node) const;
    Node& At(NodeId node);
    const Node& At(NodeId node) const;
    void Attach(NodeId node, NodeId parent);
    void Detach(NodeId node);
    void IndexLabel(NodeId node);
    void UnindexLabel(NodeId node);
    void Reindex(NodeId parent);
    NodeId NextWithin(NodeId node, NodeId top) const;

    std::vector<Node> nodes_;  // by id; removed nodes stay as dead slots
    std::size_t count_ = 0;
};

// The category that governs a node's folder: the stored category of its
// top-level node's folder, 1 when that node has no folder or the value lies
// outside 1 to 4.
Category CategoryOfNode(const FolderTreeModel& model, const std::vector<Folder>& folders,
                        FolderTreeModel::NodeId node);

// Stores in the folders of `node` and of every node below it the path that the
// tree gives them.
void RewritePaths(const FolderTreeModel& model, FolderTreeModel::NodeId node, std::vector<Folder>& folders);

// Whether the tree shows exactly the present folders: every node's folder
// index names a present folder whose path is the node's path, and every
// present folder has one node. An undo that puts back folders in another
// order or with other paths breaks this, and the tree is built anew.
bool TreeMatchesFolders(const FolderTreeModel& model, const std::vector<Folder>& folders);

// Orders the folders so that every folder comes after those of fewer levels,
// keeping the order of folders of one level. A tree built from them then puts
// a subfolder that stood before its parent (after a move) under that parent
// rather than under a level of the same name made for it.
void PutParentsFirst(std::vector<Folder>& folders);

// Marks the folders of `node` and of every node below it as not present.
void MarkDeleted(const FolderTreeModel& model, FolderTreeModel::NodeId node, std::vector<Folder>& folders);

// What dropping a dragged folder onto a target (a node, or the root for the
// top level) does.
enum class DropDecision {
    NoChange,   // the target is the folder itself or its current parent
    OntoChild,  // refused: the target lies below the dragged folder
    Move,       // the folder becomes the target's last child
};

constexpr char kDropOntoChildMessage[] = "A folder can't be dropped onto one of its children";

DropDecision DecideDrop(const FolderTreeModel& model, FolderTreeModel::NodeId dragged,
                        FolderTreeModel::NodeId target);

}  // namespace kv
