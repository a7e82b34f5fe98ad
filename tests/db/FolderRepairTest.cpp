// Folder paths read from a file keep the rules the folder dialogs and the
// writer keep: no empty names, at most 259 characters, no repeated path.
// What was repaired is told once per load, and no record is lost.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/FileBytes.h"
#include "tests/support/FileHarness.h"
#include "views/FolderTreeModel.h"

namespace kv {
namespace {

using test::FileBytes;
using test::FileHarness;

// A version-7 file whose folders have these paths, each with one record
// whose description names the folder's place in the file.
FileBytes FoldersFile(const std::vector<std::string>& paths) {
    FileBytes bytes;
    bytes.Version("7");
    for (std::size_t i = 0; i < paths.size(); ++i) {
        bytes.Tag('F').String(paths[i]).Int(1);
        bytes.Tag('R').Int(14);
        for (int field = 0; field < 14; ++field) {
            if (field == 9 || field == 10) {
                bytes.Date(SystemTime{});
            } else {
                bytes.String(field == 0 ? "record " + std::to_string(i) : "");
            }
        }
    }
    return bytes;
}

void ExpectRecordsKept(const PasswordDatabase& db) {
    for (std::size_t i = 0; i < db.Folders.size(); ++i) {
        ASSERT_EQ(db.Folders[i].records.size(), 1u);
        EXPECT_EQ(db.Folders[i].records[0].fields[0], "record " + std::to_string(i));
    }
}

TEST(FolderRepairTest, APathOfOnlySeparatorsMakesOneFolderNotThousandsOfLevels) {
    FileHarness h;
    h.Put(FoldersFile({std::string(40000, '~')}).bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 1u);
    EXPECT_EQ(h.db.Folders[0].path, "Unnamed");
    FolderTreeModel tree;
    tree.Build(h.db.Folders);
    EXPECT_EQ(tree.PreOrder().size(), 1u);
    ExpectRecordsKept(h.db);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_NE(h.ui.messages[0].find("1 folder had empty names in their path, which were left out."),
              std::string::npos);
}

TEST(FolderRepairTest, EmptyNamesAreDroppedFromAPath) {
    FileHarness h;
    h.Put(FoldersFile({"~Web~~Mail~", "Bank"}).bytes());
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.db.Folders[0].path, "Web~Mail");
    EXPECT_EQ(h.db.Folders[1].path, "Bank");
    ExpectRecordsKept(h.db);
    EXPECT_EQ(h.ui.messages.size(), 1u);
}

TEST(FolderRepairTest, ALongPathIsCutTo259CharactersWithoutAnEmptyLastName) {
    FileHarness h;
    const std::string deep = std::string(258, 'a') + "~" + std::string(40, 'b');
    h.Put(FoldersFile({std::string(300, 'x'), deep}).bytes());
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.db.Folders[0].path, std::string(259, 'x'));
    EXPECT_EQ(h.db.Folders[1].path, std::string(258, 'a'));
    ExpectRecordsKept(h.db);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_NE(h.ui.messages[0].find("2 folder paths were longer than 259 characters and were cut."),
              std::string::npos);
}

TEST(FolderRepairTest, ARepeatedPathIsNumberedAndKeepsItsRecords) {
    FileHarness h;
    const std::string longest(259, 'L');
    h.Put(FoldersFile({"Web", "Web", "Web (2)", "Web", longest, longest}).bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 6u);
    EXPECT_EQ(h.db.Folders[1].path, "Web (2)");
    EXPECT_EQ(h.db.Folders[2].path, "Web (2) (2)");
    EXPECT_EQ(h.db.Folders[3].path, "Web (3)");
    EXPECT_EQ(h.db.Folders[5].path, std::string(255, 'L') + " (2)");
    ExpectRecordsKept(h.db);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0],
              "Some folder names in Secrets.kv break the rules for folder names, so they were repaired as the file "
              "was read:\n\n- 4 folders had the same path as a folder before and got a number, such as \" (2)\"."
              "\n\nEvery record stays in its folder. Save the file to keep the repaired names.");
}

TEST(FolderRepairTest, AFileThatKeepsTheRulesIsReadWithoutAMessage) {
    FileHarness h;
    h.Put(FoldersFile({"Web", "Web~Mail", "Mail~Web", std::string(259, 'x')}).bytes());
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.db.Folders[1].path, "Web~Mail");
    EXPECT_TRUE(h.ui.messages.empty());
}

TEST(FolderRepairTest, LegacyFolderBlocksAreRepairedToo) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("5");
    for (int i = 0; i < 2; ++i) bytes.Tag('F').Block("Old~~Box", 260).Int(1);
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 2u);
    EXPECT_EQ(h.db.Folders[0].path, "Old~Box");
    EXPECT_EQ(h.db.Folders[1].path, "Old~Box (2)");
    ASSERT_EQ(h.ui.messages.size(), 1u);
}

}  // namespace
}  // namespace kv
