// A file that needs more memory than there is fails with one message, and
// the database that was open before stays open and unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/FileFlows.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/HeapLimit.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/RecordingFlowHost.h"
#include "tests/support/ScriptedFlowUi.h"

namespace kv {
namespace {

using test::FileBytes;
using test::HeapLimit;

constexpr char kOpenPath[] = "C:\\Data\\Open.kv";
constexpr char kLargePath[] = "C:\\Data\\Large.kv";
constexpr std::size_t kLargeRecords = 20000;

// A well-formed file of many records that hold nothing: a few bytes each in
// the file, several times that in memory.
std::vector<unsigned char> LargeFile() {
    FileBytes bytes;
    bytes.Version("7").Tag('F').String("Bulk").Int(1);
    for (std::size_t i = 0; i < kLargeRecords; ++i) {
        bytes.Tag('R').Int(14);
        for (int field = 0; field < 14; ++field) {
            if (field == 9 || field == 10) {
                bytes.Date(SystemTime{});
            } else {
                bytes.Int(0);  // a length of 0 keeps the field as it is
            }
        }
    }
    return bytes.bytes();
}

class TooLargeFileTest : public ::testing::Test {
protected:
    TooLargeFileTest() {
        db.FilePath = kOpenPath;
        db.MasterPassword = "open secret";
        db.ReminderPhrase = "hint";
        db.EncryptFiles = 1;
        db.FileLoaded = 1;
        AddFolder(db, "Kept", kDefaultCategory);
        db.Folders[0].records.write().emplace_back();
        db.Folders[0].records.write()[0].fields[0] = "unsaved edit";
        db.SearchItemHistory = {"bank"};
        db.IgnoredSites = {"example.com"};
        before = db;
        fs.files[kLargePath] = LargeFile();
    }

    FileFlows Flows() { return FileFlows(db, ui, host, fs, locale); }

    void ExpectOpenDatabaseUnchanged() {
        EXPECT_EQ(db.Folders, before.Folders);
        EXPECT_EQ(db.FilePath, kOpenPath);
        EXPECT_EQ(db.MasterPassword, "open secret");
        EXPECT_EQ(db.ReminderPhrase, "hint");
        EXPECT_EQ(db.EncryptFiles, 1);
        EXPECT_EQ(db.FileLoaded, 1);
        EXPECT_EQ(db.SearchItemHistory, before.SearchItemHistory);
        EXPECT_EQ(db.IgnoredSites, before.IgnoredSites);
        EXPECT_FALSE(db.Loading);
        ASSERT_EQ(ui.base.messages.size(), 1u);
        EXPECT_EQ(ui.base.messages[0],
                  "Error: The file is too large to be read into memory.\n\n\nNothing of it was taken: what was open "
                  "before stays open as it was.\n\nFilename: C:\\Data\\Large.kv");
        // The editor keeps its tree: it is not told of a new file.
        EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "opened"), 0);
    }

    PasswordDatabase db;
    PasswordDatabase before;
    test::ScriptedFlowUi ui;
    test::RecordingHost host;
    test::MemoryFileSystem fs;
    test::FixedLocale locale;
};

TEST_F(TooLargeFileTest, AFileLargerThanTheMemoryLeftIsRefusedWhileBeingRead) {
    bool opened = true;
    {
        HeapLimit limit(fs.files[kLargePath].size() / 2);
        opened = Flows().OpenPasswordFile(kLargePath);
        EXPECT_GT(limit.refused(), 0);
    }
    EXPECT_FALSE(opened);
    ExpectOpenDatabaseUnchanged();
}

TEST_F(TooLargeFileTest, AWellFormedFileThatNeedsSeveralTimesItsSizeIsRefusedWhileParsed) {
    bool opened = true;
    {
        // Room for the file's bytes, not for the records made from them.
        HeapLimit limit(fs.files[kLargePath].size() * 2);
        opened = Flows().OpenPasswordFile(kLargePath);
        EXPECT_GT(limit.refused(), 0);
    }
    EXPECT_FALSE(opened);
    ExpectOpenDatabaseUnchanged();

    // The open file can still be saved, and without a limit the large one opens.
    host.walk = FoldersInArrayOrder(db);
    EXPECT_EQ(Flows().SaveDatabase(false, false), SaveOutcome::Saved);
    ui.base.prompts.push_back(test::PromptScript{{"open secret"}, ""});
    ASSERT_TRUE(Flows().OpenPasswordFile(kOpenPath));
    EXPECT_EQ(db.Folders, before.Folders);
    ASSERT_TRUE(Flows().OpenPasswordFile(kLargePath));
    EXPECT_EQ(db.Folders[0].records.size(), kLargeRecords);
}

TEST_F(TooLargeFileTest, OpeningAnExistingFileAsNewKeepsTheOpenFile) {
    SelectPasswordResult choice;
    choice.fileName = kLargePath;
    choice.openExisting = true;
    ui.selections.push_back(choice);
    bool made = true;
    {
        HeapLimit limit(fs.files[kLargePath].size() * 2);
        made = Flows().NewFile();
    }
    EXPECT_FALSE(made);
    ExpectOpenDatabaseUnchanged();
}

TEST_F(TooLargeFileTest, AFormDataCountBeyondTheFileIsDamagedNotReserved) {
    FileBytes bytes;
    bytes.Version("7").Tag('F').String("Web").Int(1).Tag('R').Int(14);
    for (int field = 0; field < 14; ++field) {
        if (field == 9 || field == 10) {
            bytes.Date(SystemTime{});
        } else {
            bytes.Int(0);
        }
    }
    bytes.Tag('D').Int(0x7FFFFFFF).Int(0);
    fs.files[kLargePath] = bytes.bytes();
    bool opened = true;
    {
        HeapLimit limit(1 << 20);
        opened = Flows().OpenPasswordFile(kLargePath);
        EXPECT_EQ(limit.refused(), 0);
    }
    EXPECT_FALSE(opened);
    ASSERT_EQ(ui.base.messages.size(), 1u);
    EXPECT_EQ(ui.base.messages[0],
              "Error: The file is damaged and cannot be read.\n\n\nA form data item claims 2147483647 fields, but 4 "
              "bytes are left in the file.\n\nFilename: C:\\Data\\Large.kv");
}

}  // namespace
}  // namespace kv
