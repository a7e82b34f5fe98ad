// How a load of a protected file checks the master password.
#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/FileHarness.h"

namespace kv {
namespace {

using test::FileHarness;
using test::PromptScript;

// A protected file "C:\Data\Secrets.kv" with one folder, under `password`.
void WriteProtectedFile(FileHarness& h, const std::string& password, const std::string& path = test::kTestPath) {
    PasswordDatabase db;
    db.FilePath = path;
    db.FileLoaded = 1;
    db.EncryptFiles = 1;
    db.MasterPassword = password;
    db.ReminderPhrase = "the usual";
    AddFolder(db, "Vault of " + password, 1);
    CPasswordFile file(db, h.ui, h.fs, h.locale);
    ASSERT_TRUE(file.SaveFile(FoldersInArrayOrder(db)));
}

TEST(PasswordPromptTest, KnownPasswordOpensWithoutAsking) {
    FileHarness h;
    WriteProtectedFile(h, "right");
    ASSERT_TRUE(h.Load("right"));
    EXPECT_TRUE(h.ui.asked.empty());
    EXPECT_EQ(h.db.Folders[0].path, "Vault of right");
}

TEST(PasswordPromptTest, RightPasswordAfterTwoWrongOnes) {
    FileHarness h;
    WriteProtectedFile(h, "right");
    h.ui.prompts.push_back(PromptScript{{"wrong", "Right", "right"}, ""});
    ASSERT_TRUE(h.Load("previous file's password"));
    ASSERT_EQ(h.ui.asked.size(), 1u);
    EXPECT_EQ(h.ui.asked[0].fileName, "Secrets.kv");
    EXPECT_EQ(h.ui.asked[0].reminder, "the usual");
    EXPECT_EQ(h.ui.errorLines.size(), 2u);
    EXPECT_EQ(h.db.MasterPassword, "right");
    EXPECT_EQ(h.db.EncryptFiles, 1);
    EXPECT_EQ(h.db.FileLoaded, 1);
    EXPECT_EQ(h.db.Folders[0].path, "Vault of right");
}

void ExpectNothingLoaded(FileHarness& h) {
    EXPECT_EQ(h.db.FileLoaded, 0);
    EXPECT_TRUE(h.db.MasterPassword.empty());
    EXPECT_TRUE(h.db.ReminderPhrase.empty());
    EXPECT_TRUE(h.db.Folders.empty());
    // A file that was not read is never saved over.
    const std::vector<unsigned char> before = h.Bytes();
    CPasswordFile file(h.db, h.ui, h.fs, h.locale);
    EXPECT_FALSE(file.SaveFile(FoldersInArrayOrder(h.db)));
    EXPECT_EQ(h.Bytes(), before);
}

TEST(PasswordPromptTest, CancelLoadsNothingAndRefusesSaving) {
    FileHarness h;
    WriteProtectedFile(h, "right");
    h.ui.prompts.push_back(PromptScript{{}, ""});
    EXPECT_FALSE(h.Load());
    EXPECT_TRUE(h.ui.messages.empty());
    ExpectNothingLoaded(h);
}

TEST(PasswordPromptTest, ThreeWrongPasswordsEndTheAttempt) {
    FileHarness h;
    WriteProtectedFile(h, "right");
    h.ui.prompts.push_back(PromptScript{{"a", "b", "c", "right"}, ""});
    EXPECT_FALSE(h.Load());
    EXPECT_EQ(h.ui.errorLines.size(), 2u);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0], "Incorrect password and this was your last attempt.");
    ExpectNothingLoaded(h);
}

TEST(PasswordPromptTest, ChoosingAnotherFileReadsThatOneWithFreshAttempts) {
    FileHarness h;
    WriteProtectedFile(h, "first");
    WriteProtectedFile(h, "second", "D:\\Other.kv");
    h.ui.prompts.push_back(PromptScript{{"x", "y"}, "D:\\Other.kv"});
    h.ui.prompts.push_back(PromptScript{{"z", "w", "second"}, ""});
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.db.FilePath, "D:\\Other.kv");
    ASSERT_EQ(h.ui.asked.size(), 2u);
    EXPECT_EQ(h.ui.asked[1].fileName, "Other.kv");
    EXPECT_EQ(h.db.MasterPassword, "second");
    ASSERT_EQ(h.db.Folders.size(), 1u);
    EXPECT_EQ(h.db.Folders[0].path, "Vault of second");
}

TEST(PasswordPromptTest, BlankVerifierAcceptsAnyPassword) {
    FileHarness h;
    test::FileBytes bytes;
    bytes.Version("7").Tag('P').Block("", 32).Tag('M').Block("", 80);
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load("anything"));
    EXPECT_TRUE(h.ui.asked.empty());
    EXPECT_EQ(h.db.EncryptFiles, 1);
}

TEST(PasswordAttemptsTest, CountsDownToTheLastAttempt) {
    PasswordAttempts attempts(MakeVerifier("pw"));
    EXPECT_EQ(attempts.Check("no"), PasswordAttempts::Result::TryAgain);
    EXPECT_EQ(attempts.Remaining(), 2);
    EXPECT_EQ(attempts.Check("pw"), PasswordAttempts::Result::Accepted);
    EXPECT_EQ(attempts.Check("no"), PasswordAttempts::Result::TryAgain);
    EXPECT_EQ(attempts.Check("no"), PasswordAttempts::Result::NoAttemptsLeft);
    EXPECT_EQ(attempts.Check("pw"), PasswordAttempts::Result::NoAttemptsLeft);
}

}  // namespace
}  // namespace kv
