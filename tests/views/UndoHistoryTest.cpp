#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "views/UndoHistory.h"

namespace kv {
namespace {

Folder MakeFolder(const std::string& path, Category category, const std::vector<std::string>& descriptions) {
    Folder folder;
    folder.path = path;
    folder.category = category;
    for (const std::string& description : descriptions) {
        Record record;
        record.fields[kDescription] = description;
        folder.records.write().push_back(record);
    }
    return folder;
}

// Every folder in array order, as the tree shows folders that were never moved.
std::vector<FolderVisit> ArrayOrder(const std::vector<Folder>& folders) {
    std::vector<FolderVisit> order;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (folders[i].present != 0) order.push_back({static_cast<int>(i), folders[i].path});
    }
    return order;
}

// Sets the password of the first record of folder 0 as a cell edit does, with its undo level.
void EditPassword(UndoHistory& history, std::vector<Folder>& folders, const std::string& text) {
    history.PushUndo("edit Password: " + folders[0].records[0].fields[kPassword], false, folders, {});
    folders[0].records.write()[0].fields[kPassword] = text;
}

TEST(UndoHistoryTest, FiveUndosOfSixChangesRestoreTheStateAfterTheFirst) {
    std::vector<Folder> folders = {MakeFolder("Web", kInternetCategory, {"mail"})};
    UndoHistory history;
    EXPECT_FALSE(history.CanUndo());
    for (int change = 1; change <= 6; ++change) {
        EditPassword(history, folders, "p" + std::to_string(change));
        EXPECT_EQ(history.Count(), std::min(change, UndoHistory::kLevels));
    }
    for (int undo = 1; undo <= 5; ++undo) {
        ASSERT_TRUE(history.CanUndo());
        const auto restored = history.Undo(folders);
        ASSERT_TRUE(restored.has_value());
        EXPECT_EQ(restored->label, "edit Password: p" + std::to_string(6 - undo));
        EXPECT_FALSE(restored->folderChange);
        EXPECT_EQ(folders[0].records[0].fields[kPassword], "p" + std::to_string(6 - undo));
        EXPECT_EQ(history.Count(), 5 - undo);
    }
    EXPECT_EQ(folders[0].records[0].fields[kPassword], "p1");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.MenuText(), "&Undo");
    EXPECT_FALSE(history.Undo(folders).has_value());
    EXPECT_EQ(folders[0].records[0].fields[kPassword], "p1");
}

TEST(UndoHistoryTest, NewChangesAfterAnUndoStackOnTheRemainingLevels) {
    std::vector<Folder> folders = {MakeFolder("Web", kInternetCategory, {"mail"})};
    UndoHistory history;
    EditPassword(history, folders, "a");
    EditPassword(history, folders, "b");
    ASSERT_TRUE(history.Undo(folders).has_value());
    EditPassword(history, folders, "c");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(history.MenuText(), "&Undo edit Password: a");
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders[0].records[0].fields[kPassword], "a");
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders[0].records[0].fields[kPassword], "");
    EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistoryTest, ClearForgetsEveryLevel) {
    std::vector<Folder> folders = {MakeFolder("Web", kInternetCategory, {"mail"})};
    UndoHistory history;
    EditPassword(history, folders, "a");
    EditPassword(history, folders, "b");
    history.Clear();
    EXPECT_EQ(history.Count(), 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.MenuText(), "&Undo");
    EXPECT_FALSE(history.Undo(folders).has_value());
    EXPECT_EQ(folders[0].records[0].fields[kPassword], "b");
}

TEST(UndoHistoryTest, UndoingAFolderDeletionBringsBackItsSubfoldersAndRecords) {
    const std::vector<Folder> before = {
        MakeFolder("Home", kBankingCategory, {"house"}),
        MakeFolder("Home~Bank", kDefaultCategory, {"cheque", "savings"}),
        MakeFolder("Home~Bank~Cards", kDefaultCategory, {"visa"}),
        MakeFolder("Work", kInternetCategory, {"intranet"}),
    };
    std::vector<Folder> folders = before;
    UndoHistory history;
    history.PushUndo("delete folder: Home", true, folders, ArrayOrder(folders));
    for (std::size_t i = 0; i < 3; ++i) folders[i].present = 0;

    const auto restored = history.Undo(folders);
    ASSERT_TRUE(restored.has_value());
    EXPECT_EQ(restored->label, "delete folder: Home");
    EXPECT_TRUE(restored->folderChange);
    EXPECT_EQ(folders, before);
}

TEST(UndoHistoryTest, UndoingAFolderAdditionRemovesTheFolder) {
    const std::vector<Folder> before = {MakeFolder("Web", kInternetCategory, {"mail"})};
    std::vector<Folder> folders = before;
    UndoHistory history;
    history.PushUndo("add folder Web~News", true, folders, ArrayOrder(folders));
    folders.push_back(MakeFolder("Web~News", kDefaultCategory, {""}));
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders, before);
}

TEST(UndoHistoryTest, AFolderChangeSnapshotHoldsTheFoldersInDisplayOrder) {
    std::vector<Folder> folders = {
        MakeFolder("Work", kSoftwareCategory, {"build server"}),
        MakeFolder("Home", kBankingCategory, {"house"}),
        MakeFolder("Home~Old", kDefaultCategory, {"gone"}),
        MakeFolder("Home~Cards", kDefaultCategory, {"visa", "amex"}),
    };
    folders[2].present = 0;
    // The tree shows Home first and has moved Cards under Work; its walk also
    // passes a level without a folder and an index that the array does not have.
    const std::vector<FolderVisit> order = {
        {1, "Home"}, {-1, "Home~Loose"}, {0, "Work"}, {3, "Work~Cards"}, {4, "Work~Ghost"},
    };
    UndoHistory history;
    history.PushUndo("move folder: Cards", true, folders, order);
    folders.clear();

    ASSERT_TRUE(history.Undo(folders).has_value());
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], MakeFolder("Home", kBankingCategory, {"house"}));
    EXPECT_EQ(folders[1], MakeFolder("Work", kSoftwareCategory, {"build server"}));
    EXPECT_EQ(folders[2], MakeFolder("Work~Cards", kDefaultCategory, {"visa", "amex"}));
}

TEST(UndoHistoryTest, ARecordChangeSnapshotKeepsTheArrayOrderAndPaths) {
    std::vector<Folder> folders = {
        MakeFolder("Work", kSoftwareCategory, {"build server"}),
        MakeFolder("Home", kBankingCategory, {"house"}),
    };
    folders[1].present = 0;
    const std::vector<Folder> before = folders;
    UndoHistory history;
    history.PushUndo("delete record", false, folders, {{1, "Elsewhere"}});
    folders[0].records.write().clear();
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders, before);
}

TEST(UndoHistoryTest, MenuTextShowsTheNewestLabel) {
    std::vector<Folder> folders;
    UndoHistory history;
    EXPECT_EQ(history.MenuText(), "&Undo");
    history.PushUndo("delete record", false, folders, {});
    history.PushUndo("rename folder: R&D", true, folders, {});
    EXPECT_EQ(history.MenuText(), "&Undo rename folder: R&&D");
    history.Undo(folders);
    EXPECT_EQ(history.MenuText(), "&Undo delete record");
}

TEST(UndoHistoryTest, MenuTextCutsLongLabels) {
    std::vector<Folder> folders;
    UndoHistory history;
    const std::string name40 = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    history.PushUndo("rename folder: " + name40, true, folders, {});
    EXPECT_EQ(history.MenuText(), "&Undo rename folder: abcdefghijklm...");

    const std::string label31(31, 'x');
    history.PushUndo(label31, false, folders, {});
    EXPECT_EQ(history.MenuText(), "&Undo " + label31);
    history.PushUndo(label31 + "y", false, folders, {});
    EXPECT_EQ(history.MenuText(), "&Undo " + std::string(28, 'x') + "...");
}

TEST(UndoHistoryTest, MenuTextCutsALongLabelBeforeDoublingItsAmpersands) {
    std::vector<Folder> folders;
    UndoHistory history;
    // 31 characters: shown whole, although doubling makes the text longer.
    history.PushUndo("delete folder: Parts & Supplies", true, folders, {});
    EXPECT_EQ(history.MenuText(), "&Undo delete folder: Parts && Supplies");
    // The 28th character is an ampersand: it stays whole, doubled, before "...".
    history.PushUndo("delete folder: Research and&Development", true, folders, {});
    EXPECT_EQ(history.MenuText(), "&Undo delete folder: Research and&&...");
}

TEST(UndoHistoryTest, SnapshotsStayAsTheyWereWhenTheLiveFoldersChange) {
    const std::vector<Folder> before = {
        MakeFolder("Web", kInternetCategory, {"mail", "news"}),
        MakeFolder("Bank", kBankingCategory, {"cheque"}),
    };
    std::vector<Folder> folders = before;
    UndoHistory history;
    history.PushUndo("delete records", false, folders, {});
    folders[0].records.write()[1].fields[kUsername] = "someone";
    folders[0].records.write().erase(folders[0].records.begin());
    folders[1].path = "Money";
    folders[1].category = kDefaultCategory;
    folders.push_back(MakeFolder("New", kDefaultCategory, {}));
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders, before);

    history.PushUndo("rename folder: Web", true, folders, ArrayOrder(folders));
    folders[0].records.write()[0].fields[kDescription] = "changed";
    folders[0].path = "Internet";
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders, before);
}

TEST(UndoHistoryTest, UndoBringsBackTheStorageOfTheRecordsThatChanged) {
    std::vector<Folder> folders = {
        MakeFolder("Web", kInternetCategory, {"mail"}),
        MakeFolder("Bank", kBankingCategory, {"cheque"}),
    };
    const Record* web = folders[0].records.read().data();
    const Record* bank = folders[1].records.read().data();
    UndoHistory history;
    history.PushUndo("edit Description: cheque", false, folders, {});
    folders[1].records.write()[0].fields[kDescription] = "savings";
    // The change copied only the folder it touched.
    EXPECT_EQ(folders[0].records.read().data(), web);
    EXPECT_NE(folders[1].records.read().data(), bank);
    ASSERT_TRUE(history.Undo(folders).has_value());
    EXPECT_EQ(folders[0].records.read().data(), web);
    EXPECT_EQ(folders[1].records.read().data(), bank);
    EXPECT_EQ(folders[1].records[0].fields[kDescription], "cheque");
}

}  // namespace
}  // namespace kv
