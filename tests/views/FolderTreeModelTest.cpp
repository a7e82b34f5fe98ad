#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/FixedLocale.h"
#include "views/FolderTreeModel.h"

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;
constexpr NodeId kRoot = FolderTreeModel::kRoot;

std::vector<Folder> MakeFolders(const std::vector<std::string>& paths) {
    std::vector<Folder> folders(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) folders[i].path = paths[i];
    return folders;
}

// The walk as (folder index, path) pairs.
std::vector<std::pair<int, std::string>> Walk(const FolderTreeModel& model, NodeId top = kRoot) {
    std::vector<std::pair<int, std::string>> walk;
    for (const FolderVisit& visit : model.PreOrder(top)) walk.emplace_back(visit.folderIndex, visit.path);
    return walk;
}

std::vector<std::string> Labels(const FolderTreeModel& model, const std::vector<NodeId>& nodes) {
    std::vector<std::string> labels;
    for (const NodeId node : nodes) labels.push_back(model.Label(node));
    return labels;
}

// The locale's comparison without regard to case, as the tree's sorting uses it.
int CompareNoCase(const std::string& a, const std::string& b) {
    static const test::FixedLocale locale;
    return locale.CompareNoCase(a, b);
}

// Top(0) > Sub(1) > Leaf(2), then Other(3).
class FolderTreeEditTest : public ::testing::Test {
protected:
    FolderTreeEditTest() : folders_(MakeFolders({"Top", "Top~Sub", "Top~Sub~Leaf", "Other"})) {
        model_.Build(folders_);
        top_ = model_.FindFolder(0);
        sub_ = model_.FindFolder(1);
        leaf_ = model_.FindFolder(2);
        other_ = model_.FindFolder(3);
    }

    std::vector<Folder> folders_;
    FolderTreeModel model_;
    NodeId top_ = 0, sub_ = 0, leaf_ = 0, other_ = 0;
};

TEST(FolderTreeModelTest, BuildNestsFoldersByPathInArrayOrder) {
    FolderTreeModel model;
    model.Build(MakeFolders({"Internet", "Internet~Shopping", "Banking", "Internet~Mail"}));
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{
                               {0, "Internet"}, {1, "Internet~Shopping"}, {3, "Internet~Mail"}, {2, "Banking"}}));
    EXPECT_EQ(model.Count(), 4u);
    const NodeId internet = model.FindFolder(0);
    EXPECT_EQ(model.Parent(internet), kRoot);
    EXPECT_EQ(Labels(model, model.Children(internet)), (std::vector<std::string>{"Shopping", "Mail"}));
}

TEST(FolderTreeModelTest, BuildAddsIntermediateLevelsAndReusesTheFirstLabel) {
    FolderTreeModel model;
    model.Build(MakeFolders({"A~B~C", "A", "A~D", "D~E"}));
    // "A" always adds a node of its own; "A~D" goes below the first "A".
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{-1, "A"},
                                                                     {-1, "A~B"},
                                                                     {0, "A~B~C"},
                                                                     {2, "A~D"},
                                                                     {1, "A"},
                                                                     {-1, "D"},
                                                                     {3, "D~E"}}));
    EXPECT_EQ(model.Count(), 7u);
    EXPECT_EQ(model.FindFolder(-1), 0);  // intermediate levels carry no folder
}

TEST(FolderTreeModelTest, DeletedFoldersAreNotShown) {
    std::vector<Folder> folders = MakeFolders({"A", "B", "C"});
    folders[1].present = 0;
    FolderTreeModel model;
    model.Build(folders);
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{0, "A"}, {2, "C"}}));
    EXPECT_EQ(model.FindFolder(1), 0);
}

TEST(FolderTreeModelTest, BuildReplacesTheWholeTree) {
    FolderTreeModel model;
    model.Build(MakeFolders({"A", "A~B", "C"}));
    model.Build(MakeFolders({"X"}));
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{0, "X"}}));
    EXPECT_EQ(model.Count(), 1u);
    model.Build({});
    EXPECT_EQ(model.First(), 0);
    EXPECT_EQ(model.Count(), 0u);
}

TEST(FolderTreeModelTest, SiblingsFirstOrderWritesLaterSiblingsBeforeSubFolders) {
    FolderTreeModel model;
    model.Build(MakeFolders({"Top1", "Top1~C1", "Top1~C2", "Top2", "Top2~D1", "Top1~C1~G"}));
    EXPECT_EQ(Labels(model, model.SiblingsFirstOrder()),
              (std::vector<std::string>{"Top1", "Top2", "D1", "C1", "C2", "G"}));
    EXPECT_TRUE(FolderTreeModel().SiblingsFirstOrder().empty());
}

TEST(FolderTreeModelTest, NextWalksInPreOrder) {
    FolderTreeModel model;
    const NodeId a = model.AddChild(kRoot, "A", 0);
    const NodeId b = model.AddChild(a, "B", 1);
    const NodeId c = model.AddChild(b, "C", 2);
    const NodeId d = model.AddChild(a, "D", 3);
    const NodeId e = model.AddChild(kRoot, "E", 4);
    EXPECT_EQ(model.First(), a);
    EXPECT_EQ(model.Next(a), b);
    EXPECT_EQ(model.Next(b), c);
    EXPECT_EQ(model.Next(c), d);
    EXPECT_EQ(model.Next(d), e);
    EXPECT_EQ(model.Next(e), 0);
    EXPECT_EQ(model.PathOf(c), "A~B~C");
    EXPECT_EQ(model.TopLevelOf(c), a);
    EXPECT_EQ(model.TopLevelOf(e), e);
    EXPECT_TRUE(model.IsAncestor(a, c));
    EXPECT_TRUE(model.IsAncestor(kRoot, c));
    EXPECT_FALSE(model.IsAncestor(c, a));
    EXPECT_FALSE(model.IsAncestor(a, a));
    EXPECT_FALSE(model.IsAncestor(b, d));
    EXPECT_EQ(Walk(model, b), (std::vector<std::pair<int, std::string>>{{1, "A~B"}, {2, "A~B~C"}}));
}

TEST(FolderTreeModelTest, RemovedNodesAreGoneWithTheirSubtree) {
    FolderTreeModel model;
    model.Build(MakeFolders({"A", "A~B", "A~B~C", "D"}));
    const NodeId b = model.FindFolder(1);
    const NodeId c = model.FindFolder(2);
    model.Remove(b);
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{0, "A"}, {3, "D"}}));
    EXPECT_EQ(model.Count(), 2u);
    EXPECT_EQ(model.FindFolder(2), 0);
    EXPECT_EQ(model.Label(c), "");
    EXPECT_TRUE(model.Children(b).empty());
    const NodeId added = model.AddChild(model.FindFolder(0), "B", 5);
    EXPECT_NE(added, b);
    EXPECT_NE(added, c);
    EXPECT_EQ(model.Next(model.FindFolder(0)), added);
    model.Remove(kRoot);
    EXPECT_EQ(model.Count(), 3u);
}

TEST(FolderTreeModelTest, WalkAfterRemovingOrMovingAMiddleSibling) {
    FolderTreeModel model;
    model.Build(MakeFolders({"A", "B", "C", "D", "E"}));
    model.Remove(model.FindFolder(1));
    model.MoveTo(model.FindFolder(2), model.FindFolder(4));
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{0, "A"}, {3, "D"}, {4, "E"}, {2, "E~C"}}));
}

TEST(FolderTreeModelTest, InsertPathFollowsLabelChanges) {
    FolderTreeModel model;
    const NodeId first = model.InsertPath("A", 0);
    const NodeId second = model.InsertPath("A", 1);
    model.SetLabel(first, "Z");
    EXPECT_EQ(model.Parent(model.InsertPath("A~X", 2)), second);
    // A node before the current first "A" that takes the label becomes the first.
    model.SetLabel(first, "A");
    EXPECT_EQ(model.Parent(model.InsertPath("A~Y", 3)), first);
    model.Remove(first);
    EXPECT_EQ(model.Parent(model.InsertPath("A~W", 4)), second);
}

TEST(FolderTreeModelTest, InsertPathFollowsMoves) {
    FolderTreeModel model;
    const NodeId first = model.InsertPath("A", 0);
    const NodeId second = model.InsertPath("A", 1);
    const NodeId other = model.InsertPath("B", 2);
    model.MoveTo(first, other);
    EXPECT_EQ(model.Parent(model.InsertPath("A~X", 3)), second);
    EXPECT_EQ(model.Parent(model.InsertPath("B~A~Y", 4)), first);
    model.MoveTo(first, kRoot);
    EXPECT_EQ(model.Parent(model.InsertPath("A~Z", 5)), second);
}

TEST_F(FolderTreeEditTest, SubfolderDroppedOnTheTopLevel) {
    ASSERT_EQ(DecideDrop(model_, sub_, kRoot), DropDecision::Move);
    model_.MoveTo(sub_, kRoot);
    RewritePaths(model_, sub_, folders_);
    EXPECT_EQ(Walk(model_),
              (std::vector<std::pair<int, std::string>>{{0, "Top"}, {3, "Other"}, {1, "Sub"}, {2, "Sub~Leaf"}}));
    EXPECT_EQ(folders_[0].path, "Top");
    EXPECT_EQ(folders_[1].path, "Sub");
    EXPECT_EQ(folders_[2].path, "Sub~Leaf");
    EXPECT_EQ(folders_[3].path, "Other");
    EXPECT_TRUE(model_.Children(top_).empty());
}

TEST_F(FolderTreeEditTest, FolderDroppedBelowAnotherFolder) {
    ASSERT_EQ(DecideDrop(model_, top_, other_), DropDecision::Move);
    model_.MoveTo(top_, other_);
    RewritePaths(model_, top_, folders_);
    EXPECT_EQ(folders_[0].path, "Other~Top");
    EXPECT_EQ(folders_[2].path, "Other~Top~Sub~Leaf");
    EXPECT_EQ(model_.TopLevelOf(leaf_), other_);
}

TEST_F(FolderTreeEditTest, DropOntoAChildIsRefused) {
    EXPECT_EQ(DecideDrop(model_, top_, leaf_), DropDecision::OntoChild);
    EXPECT_EQ(DecideDrop(model_, top_, sub_), DropDecision::OntoChild);
    const auto before = Walk(model_);
    model_.MoveTo(top_, leaf_);
    EXPECT_EQ(Walk(model_), before);
}

TEST_F(FolderTreeEditTest, DropOntoItselfOrItsParentChangesNothing) {
    EXPECT_EQ(DecideDrop(model_, sub_, sub_), DropDecision::NoChange);
    EXPECT_EQ(DecideDrop(model_, sub_, top_), DropDecision::NoChange);
    EXPECT_EQ(DecideDrop(model_, top_, kRoot), DropDecision::NoChange);
    EXPECT_EQ(DecideDrop(model_, leaf_, top_), DropDecision::Move);
}

TEST_F(FolderTreeEditTest, RenameRewritesThePathsOfTheSubtree) {
    model_.SetLabel(top_, "Home");
    RewritePaths(model_, top_, folders_);
    EXPECT_EQ(folders_[0].path, "Home");
    EXPECT_EQ(folders_[1].path, "Home~Sub");
    EXPECT_EQ(folders_[2].path, "Home~Sub~Leaf");
    EXPECT_EQ(folders_[3].path, "Other");
}

TEST(FolderTreeModelTest, RewritePathsPassesOverLevelsWithoutFolder) {
    std::vector<Folder> folders = MakeFolders({"A~Mid~Deep"});
    FolderTreeModel model;
    model.Build(folders);
    const NodeId a = model.First();
    model.SetLabel(a, "B");
    RewritePaths(model, a, folders);
    EXPECT_EQ(folders[0].path, "B~Mid~Deep");
    EXPECT_EQ(folders.size(), 1u);
}

TEST_F(FolderTreeEditTest, DeleteMarksTheSubtreeNotPresent) {
    MarkDeleted(model_, sub_, folders_);
    model_.Remove(sub_);
    EXPECT_EQ(folders_[0].present, 1);
    EXPECT_EQ(folders_[1].present, 0);
    EXPECT_EQ(folders_[2].present, 0);
    EXPECT_EQ(folders_[3].present, 1);
    EXPECT_EQ(Walk(model_), (std::vector<std::pair<int, std::string>>{{0, "Top"}, {3, "Other"}}));
    model_.Build(folders_);
    EXPECT_EQ(Walk(model_), (std::vector<std::pair<int, std::string>>{{0, "Top"}, {3, "Other"}}));
}

TEST(FolderTreeModelTest, SortOrdersEveryLevelBothWays) {
    const std::vector<Folder> folders = MakeFolders({"b", "C", "a", "b~z", "b~Y", "b~x", "b~x~2", "b~x~1"});
    FolderTreeModel model;
    model.Build(folders);
    model.Sort(true, CompareNoCase);
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{2, "a"},
                                                                     {0, "b"},
                                                                     {5, "b~x"},
                                                                     {7, "b~x~1"},
                                                                     {6, "b~x~2"},
                                                                     {4, "b~Y"},
                                                                     {3, "b~z"},
                                                                     {1, "C"}}));
    model.Sort(false, CompareNoCase);
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{1, "C"},
                                                                     {0, "b"},
                                                                     {3, "b~z"},
                                                                     {4, "b~Y"},
                                                                     {5, "b~x"},
                                                                     {6, "b~x~2"},
                                                                     {7, "b~x~1"},
                                                                     {2, "a"}}));
    EXPECT_EQ(folders[0].path, "b");
    EXPECT_EQ(folders[1].path, "C");
}

TEST(FolderTreeModelTest, SortKeepsEqualLabelsInOrder) {
    FolderTreeModel model;
    model.Build(MakeFolders({"B", "a", "A", "b"}));
    model.Sort(false, CompareNoCase);
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{{0, "B"}, {3, "b"}, {1, "a"}, {2, "A"}}));
}

TEST(FolderTreeModelTest, TreeMatchesOnlyTheFoldersItWasBuiltFrom) {
    std::vector<Folder> folders = MakeFolders({"Internet", "Banking", "Internet~Shop"});
    FolderTreeModel model;
    model.Build(folders);
    EXPECT_TRUE(TreeMatchesFolders(model, folders));
    // The same folders in display order: the nodes' indexes name other folders.
    EXPECT_FALSE(TreeMatchesFolders(model, MakeFolders({"Internet", "Internet~Shop", "Banking"})));
    std::vector<Folder> renamed = folders;
    renamed[1].path = "Bank";
    EXPECT_FALSE(TreeMatchesFolders(model, renamed));
    std::vector<Folder> fewer(folders.begin(), folders.begin() + 2);
    EXPECT_FALSE(TreeMatchesFolders(model, fewer));
    std::vector<Folder> more = folders;
    more.push_back(MakeFolders({"Email"})[0]);
    EXPECT_FALSE(TreeMatchesFolders(model, more));
    more.back().present = 0;  // a deleted folder has no node
    EXPECT_TRUE(TreeMatchesFolders(model, more));
}

TEST(FolderTreeModelTest, ParentsFirstBuildsAMovedSubfolderUnderItsOwnFolder) {
    // "Internet" was dropped onto "Email", the array kept its order.
    std::vector<Folder> folders = MakeFolders({"Email~Internet", "Banking", "Banking~Cards", "Email"});
    PutParentsFirst(folders);
    FolderTreeModel model;
    model.Build(folders);
    EXPECT_EQ(Walk(model), (std::vector<std::pair<int, std::string>>{
                               {0, "Banking"}, {3, "Banking~Cards"}, {1, "Email"}, {2, "Email~Internet"}}));
    EXPECT_TRUE(TreeMatchesFolders(model, folders));
}

TEST(FolderTreeModelTest, CategoryComesFromTheTopLevelFolder) {
    std::vector<Folder> folders = MakeFolders({"Internet", "Internet~Shop", "Bad", "Bad~Sub", "Zero", "Loose~Child"});
    folders[0].category = 2;
    folders[1].category = 3;
    folders[2].category = 7;
    folders[3].category = 2;
    folders[4].category = 0;
    folders[5].category = 4;
    FolderTreeModel model;
    model.Build(folders);
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(0)), 2);
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(1)), 2);
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(2)), 1);
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(3)), 1);
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(4)), 1);
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(5)), 1);  // its top level has no folder
    folders[2].category = 4;
    EXPECT_EQ(CategoryOfNode(model, folders, model.FindFolder(3)), 4);
}

TEST(FolderTreeModelTest, ManySiblingsKeepTheirLabelsApart) {
    std::vector<std::string> paths;
    for (int i = 0; i < 5000; ++i) paths.push_back("F" + std::to_string(i));
    for (int i = 0; i < 5000; i += 1000) paths.push_back("F" + std::to_string(i) + "~Sub");
    FolderTreeModel model;
    model.Build(MakeFolders(paths));
    EXPECT_EQ(model.Count(), 5005u);
    EXPECT_EQ(model.Children(kRoot).size(), 5000u);
    EXPECT_EQ(model.PathOf(model.FindFolder(5004)), "F4000~Sub");
    EXPECT_EQ(model.Parent(model.FindFolder(5004)), model.FindFolder(4000));
}

}  // namespace
}  // namespace kv
