#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/RecordSearch.h"
#include "tests/support/CountingFinder.h"

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;
constexpr std::uint32_t kAnywhere = kSearchIgnoreCase | kSearchAnywhere;

Record MakeRecord(std::initializer_list<std::pair<int, std::string>> fields) {
    Record record;
    for (const auto& [field, text] : fields) record.fields[static_cast<std::size_t>(field)] = text;
    return record;
}


// Folders with their tree; searches follow their hits as the editor does, by
// selecting the folder of each hit.
class RecordSearchTest : public ::testing::Test {
protected:
    int Add(const std::string& path, std::vector<Record> records, Category category = kDefaultCategory) {
        Folder folder;
        folder.path = path;
        folder.category = category;
        folder.records.write() = std::move(records);
        folders.push_back(folder);
        tree.Build(folders);
        return static_cast<int>(folders.size()) - 1;
    }

    NodeId NodeOf(int folderIndex) const { return tree.FindFolder(folderIndex); }

    // The next hit from `selected` as "path #record place", "" when none;
    // the hit's folder becomes the selection.
    std::string Next(const std::string& text, std::uint32_t options = kAnywhere) {
        const std::optional<SearchHit> hit = search.FindNext(tree, selected, folders, settings, text, options);
        if (!hit) return "";
        EXPECT_EQ(hit->node, NodeOf(hit->folderIndex));
        selected = hit->node;
        std::string where = folders[static_cast<std::size_t>(hit->folderIndex)].path + " #" +
                            std::to_string(hit->record) + " ";
        switch (hit->place) {
            case SearchHit::Place::Column: return where + "column " + std::to_string(hit->column);
            case SearchHit::Place::WebAddress: return where + "web";
            case SearchHit::Place::Email: return where + "email";
            case SearchHit::Place::Notes:
                return where + "notes " + std::to_string(hit->notes.start) + "-" + std::to_string(hit->notes.end);
        }
        return where;
    }

    std::vector<std::string> NextHits(const std::string& text, int count, std::uint32_t options = kAnywhere) {
        std::vector<std::string> hits;
        for (int i = 0; i < count; ++i) hits.push_back(Next(text, options));
        return hits;
    }

    std::vector<Folder> folders;
    FolderTreeModel tree;
    AppSettings settings;  // category 1 shows fields 0, 1, 2, 9 and 10
    test::CountingFinder finder;
    RecordSearch search{finder};
    NodeId selected = 0;
};

TEST_F(RecordSearchTest, ContinuesAcrossColumnsLowerFieldsNotesAndRecords) {
    Add("Web", {MakeRecord({{kDescription, "bank one"},
                            {kUsername, "me"},
                            {kPassword, "Bank"},
                            {kBank, "bank"},  // not a column of category 1
                            {kUrl, "www.bank.example"},
                            {kEmail, "me@bank.example"},
                            {kNotes, "my bank and your bank"}}),
                MakeRecord({{kDescription, "other"}, {kUsername, "BANK"}})});
    EXPECT_EQ(NextHits("bank", 9), (std::vector<std::string>{
                                       "Web #0 column 0", "Web #0 column 2", "Web #0 web", "Web #0 email",
                                       "Web #0 notes 3-7", "Web #0 notes 17-21", "Web #1 column 1",
                                       "Web #0 column 0", "Web #0 column 2"}));
}

TEST_F(RecordSearchTest, ColumnsAreThoseOfTheTopLevelFoldersCategory) {
    Add("Money", {MakeRecord({{kDescription, "x"}, {kBank, "First Bank"}})}, kBankingCategory);
    Add("Money~Old", {MakeRecord({{kBank, "Old Bank"}})}, kDefaultCategory);
    Add("Plain", {MakeRecord({{kBank, "Plain Bank"}})}, kDefaultCategory);  // no Bank column
    EXPECT_EQ(NextHits("bank", 3), (std::vector<std::string>{"Money #0 column 2", "Money~Old #0 column 2",
                                                             "Money #0 column 2"}));
}

TEST_F(RecordSearchTest, TwoHitsInOneNoteComeBeforeTheNextRecord) {
    Add("Notes", {MakeRecord({{kNotes, "Bank: my bank, mybank."}}), MakeRecord({{kNotes, "bank"}})});
    EXPECT_EQ(NextHits("bank", 4, kSearchIgnoreCase),
              (std::vector<std::string>{"Notes #0 notes 0-4", "Notes #0 notes 9-13", "Notes #1 notes 0-4",
                                        "Notes #0 notes 0-4"}));
}

TEST_F(RecordSearchTest, FromASubfolderItWrapsToTheFirstTopLevelFolder) {
    Add("A", {MakeRecord({{kDescription, "target"}})});
    Add("B", {MakeRecord({{kDescription, "b"}})});
    const int sub = Add("B~Sub", {MakeRecord({{kDescription, "sub"}})});
    Add("C", {});
    selected = NodeOf(sub);
    EXPECT_EQ(Next("target"), "A #0 column 0");
}

TEST_F(RecordSearchTest, PassesFollowTheTreeAndWrap) {
    const auto hit = [] { return std::vector<Record>{MakeRecord({{kDescription, "hit"}})}; };
    Add("A", hit());
    Add("B", hit());
    const int b1 = Add("B~B1", hit());
    Add("B~B1~Deep", hit());
    Add("B~B2", hit());
    Add("C", hit());
    Add("C~C1", hit());
    selected = NodeOf(b1);
    EXPECT_EQ(NextHits("hit", 8), (std::vector<std::string>{"B~B1 #0 column 0", "B~B1~Deep #0 column 0",
                                                            "B~B2 #0 column 0", "C #0 column 0", "C~C1 #0 column 0",
                                                            "A #0 column 0", "B #0 column 0", "B~B1 #0 column 0"}));
}

TEST_F(RecordSearchTest, FindsEarlierRecordsOfTheStartingFolderLast) {
    Add("Only", {MakeRecord({{kDescription, "hit"}}), MakeRecord({{kDescription, "miss"}}),
                 MakeRecord({{kDescription, "hit"}})});
    EXPECT_EQ(NextHits("hit", 3), (std::vector<std::string>{"Only #0 column 0", "Only #2 column 0",
                                                            "Only #0 column 0"}));
}

TEST_F(RecordSearchTest, SkipsNodesWithoutFoldersAndFoldersNotPresent) {
    const int inner = Add("X~Y", {MakeRecord({{kDescription, "hit"}})});
    const int gone = Add("Gone", {MakeRecord({{kDescription, "hit"}})});
    Add("Z", {MakeRecord({{kDescription, "hit"}})});
    folders[static_cast<std::size_t>(gone)].present = 0;  // deleted after the tree was built
    selected = tree.Parent(NodeOf(inner));
    ASSERT_EQ(tree.FolderIndex(selected), -1);
    EXPECT_EQ(NextHits("hit", 3), (std::vector<std::string>{"X~Y #0 column 0", "Z #0 column 0", "X~Y #0 column 0"}));
}

TEST_F(RecordSearchTest, WithNoSelectionItStartsAtTheFirstTopLevelFolder) {
    Add("First", {MakeRecord({{kDescription, "hit"}})});
    Add("Second", {MakeRecord({{kDescription, "hit"}})});
    EXPECT_EQ(Next("hit"), "First #0 column 0");
}

TEST_F(RecordSearchTest, TheCursorStaysWithItsFolder) {
    const int a = Add("A", {MakeRecord({{kDescription, "hit"}, {kUsername, "hit"}})});
    const int b = Add("B", {MakeRecord({{kUsername, "hit"}})});
    EXPECT_EQ(Next("hit"), "A #0 column 0");
    selected = NodeOf(b);  // the user selects another folder
    EXPECT_EQ(Next("hit"), "B #0 column 1");
    selected = NodeOf(a);
    EXPECT_EQ(Next("hit"), "A #0 column 0");
}

TEST_F(RecordSearchTest, ResetStartsAtTheFirstRecordAgain) {
    Add("A", {MakeRecord({{kDescription, "hit"}}), MakeRecord({{kDescription, "hit"}})});
    EXPECT_EQ(Next("hit"), "A #0 column 0");
    EXPECT_EQ(Next("hit"), "A #1 column 0");
    search.Reset();
    EXPECT_EQ(Next("hit"), "A #0 column 0");
}

TEST_F(RecordSearchTest, NothingFoundResetsTheCursor) {
    Add("A", {MakeRecord({{kDescription, "hit"}, {kUsername, "hit"}})});
    EXPECT_EQ(Next("hit"), "A #0 column 0");
    EXPECT_EQ(Next("absent"), "");
    EXPECT_EQ(Next("hit"), "A #0 column 0");
    EXPECT_EQ(Next(""), "");
}

TEST_F(RecordSearchTest, AnEmptyTreeFindsNothing) { EXPECT_EQ(Next("hit"), ""); }

TEST_F(RecordSearchTest, TheFinderSeesOnlyNotesThatMightHoldTheText) {
    Add("A", {MakeRecord({{kNotes, "nothing to see"}}), MakeRecord({{kNotes, "a bankrupt bank"}}),
              MakeRecord({{kNotes, "{\\rtf1 ba{\\b nk}}"}})});
    EXPECT_EQ(NextHits("bank", 3, kSearchIgnoreCase),
              (std::vector<std::string>{"A #1 notes 11-15", "A #2 notes 0-4", "A #1 notes 11-15"}));
    EXPECT_EQ(finder.calls, 5u);  // never for record 0, whose notes lack the text
}

TEST(FindFolderTest, TheSelectedFolderIsNotTested) {
    std::vector<Folder> folders(2);
    folders[0].path = "Bank";
    folders[1].path = "Mail";
    FolderTreeModel tree;
    tree.Build(folders);
    EXPECT_EQ(FindFolder(tree, tree.FindFolder(0), "bank", kAnywhere), 0);
    EXPECT_EQ(FindFolder(tree, tree.FindFolder(1), "bank", kAnywhere), tree.FindFolder(0));
}

TEST(FindFolderTest, WalksOnFromTheSelectionAndWraps) {
    std::vector<Folder> folders(4);
    folders[0].path = "Online Bank";
    folders[1].path = "Mail";
    folders[2].path = "Mail~Bank";
    folders[3].path = "Banking";
    FolderTreeModel tree;
    tree.Build(folders);
    const auto node = [&](int index) { return tree.FindFolder(index); };
    EXPECT_EQ(FindFolder(tree, 0, "bank", kAnywhere), node(0));
    EXPECT_EQ(FindFolder(tree, node(0), "bank", kAnywhere), node(2));
    EXPECT_EQ(FindFolder(tree, node(2), "bank", kAnywhere), node(3));
    EXPECT_EQ(FindFolder(tree, node(3), "bank", kAnywhere), node(0));
    EXPECT_EQ(FindFolder(tree, node(0), "bank", kSearchIgnoreCase), node(2));  // whole words: not "Banking"
    EXPECT_EQ(FindFolder(tree, node(2), "bank", kSearchIgnoreCase), node(0));
    EXPECT_EQ(FindFolder(tree, node(2), "Bank", 0), node(0));
    EXPECT_EQ(FindFolder(tree, node(1), "", kAnywhere), 0);
}

}  // namespace
}  // namespace kv
