// A save replaces the old file only with a complete new one.
#include <gtest/gtest.h>

#include "tests/support/FileHarness.h"

namespace kv {
namespace {

using test::FileHarness;

const std::vector<unsigned char> kOldFile = {'V', 0, 0, 0, '7', 0, 0, 0};

class SaveSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddFolder(h.db, "Folder", 1);
        h.db.Folders[0].records.write().resize(1);
        h.db.Folders[0].records.write()[0].fields[kNotes] = std::string(5000, 'n');
        h.Put(kOldFile);
    }

    void ExpectOldFileIntact(const std::string& what) {
        EXPECT_EQ(h.fs.files.size(), 1u) << "no temporary file may be left";
        EXPECT_EQ(h.Bytes(), kOldFile);
        ASSERT_EQ(h.ui.messages.size(), 1u);
        EXPECT_EQ(h.ui.messages[0], "Error: " + what + "\n\n\nInjected failure\n\nFilename: C:\\Data\\Secrets.kv");
    }

    FileHarness h;
};

TEST_F(SaveSafetyTest, CreateFailure) {
    h.fs.failCreate = true;
    EXPECT_FALSE(h.Save());
    ExpectOldFileIntact(
        "Can't open the source file for reading.\nPlease select a different file, or create a new "
        "file, from the Editor window.");
}

TEST_F(SaveSafetyTest, WriteFailureHalfway) {
    h.fs.failWriteAfter = 1000;
    EXPECT_FALSE(h.Save());
    ExpectOldFileIntact("Error writing to file");
}

TEST_F(SaveSafetyTest, FlushFailure) {
    h.fs.failFlush = true;
    EXPECT_FALSE(h.Save());
    ExpectOldFileIntact("Error writing to file");
}

TEST_F(SaveSafetyTest, ReplaceFailure) {
    h.fs.failReplace = true;
    EXPECT_FALSE(h.Save());
    ExpectOldFileIntact("Error writing to file");
}

TEST_F(SaveSafetyTest, HeaderOfANewFileFailsAlike) {
    h.fs.failReplace = true;
    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "pw";
    CPasswordFile file(h.db, h.ui, h.fs, h.locale);
    EXPECT_FALSE(file.WriteHeader());
    ExpectOldFileIntact("Error writing to file");
}

TEST_F(SaveSafetyTest, SuccessReplacesTheFileAndLeavesNothingElse) {
    EXPECT_TRUE(h.Save());
    EXPECT_EQ(h.fs.files.size(), 1u);
    EXPECT_GT(h.Bytes().size(), 5000u);
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(h.ui.maxWaitDepth, 1);
    EXPECT_EQ(h.ui.waitDepth, 0);
}

TEST_F(SaveSafetyTest, ReadOnlyFileIsRefused) {
    h.fs.readOnly.insert(test::kTestPath);
    EXPECT_FALSE(h.Save());
    EXPECT_EQ(h.fs.files.size(), 1u);
    EXPECT_EQ(h.Bytes(), kOldFile);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_NE(h.ui.messages[0].find("\n\n\nThe file is read-only.\n\nFilename: C:\\Data\\Secrets.kv"),
              std::string::npos);
}

TEST_F(SaveSafetyTest, FileBeingSavedElsewhereIsRefused) {
    h.fs.locked.insert(test::kTestPath);
    EXPECT_FALSE(h.Save());
    EXPECT_EQ(h.Bytes(), kOldFile);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_NE(h.ui.messages[0].find("being saved by another program"), std::string::npos);
}

TEST_F(SaveSafetyTest, HardLinkedFileIsRewrittenInPlaceAfterACompleteCopy) {
    h.fs.links[test::kTestPath] = 2;
    h.fs.failReplace = true;  // a rename would part the file from its other names
    EXPECT_TRUE(h.Save());
    EXPECT_EQ(h.fs.files.size(), 1u);
    EXPECT_GT(h.Bytes().size(), 5000u);
    EXPECT_TRUE(h.fs.locked.empty());
}

TEST_F(SaveSafetyTest, RefusedSilentlyWithoutACompletelyReadFile) {
    h.db.FileLoaded = 0;
    EXPECT_FALSE(h.Save());
    h.db.FileLoaded = 1;
    h.db.FilePath.clear();
    EXPECT_FALSE(h.Save());
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(h.fs.files.size(), 1u);
    EXPECT_EQ(h.fs.files[test::kTestPath], kOldFile);
}

}  // namespace
}  // namespace kv
