// New, open, save, save as and change of master password, with the dialogs
// scripted and the files in memory.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "db/FileFlows.h"
#include "db/NewFileRules.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/RecordingFlowHost.h"
#include "tests/support/ScriptedFlowUi.h"

namespace kv {
namespace {

using test::PromptScript;
using test::RecordingHost;

class FileFlowsTest : public ::testing::Test {
protected:
    FileFlows Flows() { return FileFlows(db, ui, host, fs, locale); }

    SelectPasswordResult NewFileChoice(const std::string& path, const std::string& password) {
        SelectPasswordResult result;
        result.fileName = path;
        result.password = password;
        result.protect = !password.empty();
        result.reminder = "hint";
        result.createDefaultFolders = true;
        return result;
    }

    void SaveWithWalk() {
        host.walk = FoldersInArrayOrder(db);
        ASSERT_EQ(Flows().SaveDatabase(false, false), SaveOutcome::Saved);
    }

    PasswordDatabase db;
    test::ScriptedFlowUi ui;
    RecordingHost host;
    test::MemoryFileSystem fs;
    test::FixedLocale locale;
};

TEST_F(FileFlowsTest, NewProtectedFileWithDefaultFoldersSavedAndReopened) {
    ui.selections.push_back(NewFileChoice("C:\\Data\\New.kv", "s3cret"));
    ASSERT_TRUE(Flows().NewFile());
    EXPECT_EQ(ui.selectRequests[0].title, "New file");
    EXPECT_EQ(ui.selectRequests[0].fileName, "C:\\Program\\Kelvandor.kv");
    EXPECT_EQ(db.FilePath, "C:\\Data\\New.kv");
    EXPECT_EQ(db.FileLoaded, 1);
    EXPECT_EQ(db.EncryptFiles, 1);
    EXPECT_TRUE(ui.base.asked.empty());  // the new password is known: no prompt
    ASSERT_EQ(db.Folders.size(), 4u);
    EXPECT_TRUE(db.Modified);
    EXPECT_EQ(host.recent, (std::vector<std::string>{"C:\\Data\\New.kv"}));
    EXPECT_EQ(host.events, (std::vector<std::string>{"commit", "opened", "defaults"}));
    SaveWithWalk();
    EXPECT_FALSE(db.Modified);

    // Reopened: two wrong passwords, then the right one.
    ui.base.prompts.push_back(PromptScript{{"wrong", "Wrong", "s3cret"}, ""});
    ASSERT_TRUE(Flows().OpenPasswordFile("C:\\Data\\New.kv"));
    EXPECT_EQ(ui.base.asked.size(), 1u);
    EXPECT_EQ(ui.base.errorLines.size(), 2u);
    EXPECT_EQ(db.Folders.size(), 4u);
    EXPECT_EQ(db.Folders[1].path, "Banking");
    EXPECT_EQ(db.ReminderPhrase, "hint");
}

TEST_F(FileFlowsTest, ThreeWrongPasswordsLoadNothingAndSavingIsRefused) {
    ui.selections.push_back(NewFileChoice("C:\\Data\\New.kv", "s3cret"));
    ASSERT_TRUE(Flows().NewFile());
    SaveWithWalk();
    ui.base.prompts.push_back(PromptScript{{"a", "b", "c"}, ""});
    EXPECT_FALSE(Flows().OpenPasswordFile("C:\\Data\\New.kv"));
    EXPECT_EQ(db.FileLoaded, 0);
    EXPECT_TRUE(db.Folders.empty());
    const std::vector<unsigned char> before = fs.files["C:\\Data\\New.kv"];
    AddFolder(db, "Typed after the failed load", 1);
    db.Modified = true;
    host.walk = FoldersInArrayOrder(db);
    // The refusal is said, and "Save as" offered; No writes nothing and keeps the changes.
    EXPECT_EQ(Flows().SaveDatabase(false, false), SaveOutcome::Failed);
    ASSERT_EQ(ui.base.questions.size(), 1u);
    EXPECT_NE(ui.base.questions[0].find("New.kv was not read completely"), std::string::npos);
    EXPECT_TRUE(db.Modified);
    EXPECT_EQ(fs.files["C:\\Data\\New.kv"], before);
    // Save as onto the same file (in other letters) is refused too.
    ui.base.answers = {Answer::Yes};
    ui.saveAsChoices.push_back(std::string("c:/data/NEW.KV"));
    EXPECT_EQ(Flows().SaveDatabase(false, false), SaveOutcome::Failed);
    EXPECT_NE(ui.base.messages.back().find("Please choose another name."), std::string::npos);
    EXPECT_EQ(fs.files["C:\\Data\\New.kv"], before);
    // Under another name what the window shows is written, and that file is the open one.
    ui.base.answers = {Answer::Yes};
    ui.saveAsChoices.push_back(std::string("C:\\Data\\Rescued.kv"));
    EXPECT_EQ(Flows().SaveDatabase(false, false), SaveOutcome::Saved);
    EXPECT_EQ(db.FilePath, "C:\\Data\\Rescued.kv");
    EXPECT_EQ(db.FileLoaded, 1);
    EXPECT_FALSE(db.Modified);
    EXPECT_EQ(host.recent.back(), "C:\\Data\\Rescued.kv");
    EXPECT_EQ(fs.files["C:\\Data\\New.kv"], before);
    PasswordDatabase reread;
    reread.FilePath = "C:\\Data\\Rescued.kv";
    ASSERT_TRUE(CPasswordFile(reread, ui, fs, locale).LoadFile());
    ASSERT_EQ(reread.Folders.size(), 1u);
    EXPECT_EQ(reread.Folders[0].path, "Typed after the failed load");
}

TEST_F(FileFlowsTest, ClosingAfterAFailedLoadAsksAndNoLetsTheChangesGo) {
    db.FilePath = "C:\\Data\\Partial.kv";
    db.Modified = true;
    ui.base.answers = {Answer::Cancel};
    EXPECT_EQ(Flows().SaveDatabase(true, true), SaveOutcome::Cancelled);
    EXPECT_TRUE(db.Modified);
    ui.base.answers = {Answer::No};
    EXPECT_EQ(Flows().SaveDatabase(true, true), SaveOutcome::NotSaved);
    EXPECT_FALSE(db.Modified);
    EXPECT_EQ(Flows().SaveDatabase(true, true), SaveOutcome::NotSaved);  // nothing left to ask about
    EXPECT_EQ(ui.base.questions.size(), 2u);
}

// A prompt that, while it is open, lets another request reach the database.
class ReenteringUi : public test::ScriptedFlowUi {
public:
    std::function<void()> whilePrompting;
    PasswordAnswer AskPassword(const PasswordPrompt& prompt) override {
        if (whilePrompting) std::exchange(whilePrompting, nullptr)();
        return ScriptedFlowUi::AskPassword(prompt);
    }
};

TEST(FileFlowsLoadTest, ALoadIsExclusiveWhileItsPromptIsOpen) {
    test::MemoryFileSystem fs;
    test::FixedLocale locale;
    RecordingHost host;
    ReenteringUi ui;
    PasswordDatabase db;
    const auto flows = [&] { return FileFlows(db, ui, host, fs, locale); };
    ui.selections.push_back(SelectPasswordResult{"C:\\Data\\Five.kv", SecretString("pw"), "", true, false, true});
    ASSERT_TRUE(flows().NewFile());
    host.walk = FoldersInArrayOrder(db);
    ASSERT_EQ(flows().SaveDatabase(false, false), SaveOutcome::Saved);
    const std::size_t folders = db.Folders.size();

    bool secondOpen = true, secondLoad = true;
    ui.whilePrompting = [&] {
        secondOpen = flows().OpenPasswordFile("C:\\Data\\Five.kv");
        secondLoad = LoadWithFreshHistories(db, ui, fs, locale) == LoadOutcome::Loaded;
        ui.base.prompts.push_back(PromptScript{{"pw"}, ""});  // the first prompt's answer
    };
    ASSERT_TRUE(flows().OpenPasswordFile("C:\\Data\\Five.kv"));
    EXPECT_FALSE(secondOpen);
    EXPECT_FALSE(secondLoad);
    EXPECT_EQ(ui.promptsBroughtForward, 1);
    EXPECT_EQ(ui.base.asked.size(), 1u);
    EXPECT_EQ(db.Folders.size(), folders);
    EXPECT_FALSE(db.Loading);
}

TEST_F(FileFlowsTest, CancelledNewFileChangesNothing) {
    db.EncryptFiles = 0;
    db.FilePath = "C:\\Data\\Old.kv";
    ui.selections.push_back(std::nullopt);
    EXPECT_FALSE(Flows().NewFile());
    EXPECT_EQ(db.EncryptFiles, 0);
    EXPECT_EQ(db.FilePath, "C:\\Data\\Old.kv");
    EXPECT_EQ(ui.selectRequests[0].fileName, "");  // a file is open: nothing proposed
}

TEST_F(FileFlowsTest, OpeningAnotherFileSavesTheCurrentOneUnderItsOwnPassword) {
    ui.selections.push_back(NewFileChoice("C:\\Data\\First.kv", "first"));
    ASSERT_TRUE(Flows().NewFile());
    SaveWithWalk();
    ui.selections.push_back(NewFileChoice("C:\\Data\\Second.kv", "second"));
    ASSERT_TRUE(Flows().NewFile());
    SaveWithWalk();
    ui.base.prompts.push_back(PromptScript{{"first"}, ""});
    ASSERT_TRUE(Flows().OpenPasswordFile("C:\\Data\\First.kv"));
    db.Folders[0].path = "Changed";
    db.Modified = true;
    host.walk = FoldersInArrayOrder(db);
    ui.base.answers = {Answer::Yes};
    ui.base.prompts.push_back(PromptScript{{"second"}, ""});
    ASSERT_TRUE(Flows().OpenPasswordFile("C:\\Data\\Second.kv"));
    EXPECT_EQ(ui.base.questions.back(), "Do you wish to save your changes to First.kv? [Yes/No]");
    // First.kv was written under "first": it opens with that password.
    ui.base.prompts.push_back(PromptScript{{"first"}, ""});
    ASSERT_TRUE(Flows().OpenPasswordFile("C:\\Data\\First.kv"));
    EXPECT_EQ(db.Folders[0].path, "Changed");
}

TEST_F(FileFlowsTest, CancelledOpenDialogKeepsThePassword) {
    db.FilePath = "C:\\Data\\Current.kv";
    db.MasterPassword = "current";
    ui.openChoices.push_back(std::nullopt);
    EXPECT_FALSE(Flows().OpenPasswordFile());
    EXPECT_EQ(db.MasterPassword, "current");
    EXPECT_EQ(ui.openFolders[0], "C:\\Data\\");
}

TEST_F(FileFlowsTest, FailedHeaderLeavesTheOpenFileAsItWas) {
    db.FilePath = "C:\\Data\\Current.kv";
    db.MasterPassword = "current";
    db.EncryptFiles = 1;
    fs.failCreate = true;
    ui.selections.push_back(NewFileChoice("C:\\Data\\New.kv", "new"));
    EXPECT_FALSE(Flows().NewFile());
    EXPECT_EQ(db.FilePath, "C:\\Data\\Current.kv");
    EXPECT_EQ(db.MasterPassword, "current");
    EXPECT_EQ(ui.base.messages.size(), 1u);
}

TEST_F(FileFlowsTest, SaveAsKeepsTheOldNameWhenNothingWasWritten) {
    ui.selections.push_back(NewFileChoice("C:\\Data\\A.kv", ""));
    ASSERT_TRUE(Flows().NewFile());
    fs.failReplace = true;
    ui.saveAsChoices.push_back(std::string("C:\\Data\\B.kv"));
    EXPECT_FALSE(Flows().SaveDatabaseAs());
    EXPECT_EQ(db.FilePath, "C:\\Data\\A.kv");
    fs.failReplace = false;
    ui.saveAsChoices.push_back(std::string("C:\\Data\\B.kv"));
    EXPECT_TRUE(Flows().SaveDatabaseAs());
    EXPECT_EQ(db.FilePath, "C:\\Data\\B.kv");
    EXPECT_EQ(host.events.back(), "saved B.kv");
}

TEST_F(FileFlowsTest, EmptyNewMasterPasswordSwitchesProtectionOff) {
    ui.selections.push_back(NewFileChoice("C:\\Data\\A.kv", "pw"));
    ASSERT_TRUE(Flows().NewFile());
    SelectPasswordResult none;
    none.fileName = "C:\\Data\\A.kv";
    ui.selections.push_back(none);
    ASSERT_TRUE(Flows().ChangeMasterPassword());
    EXPECT_TRUE(ui.selectRequests.back().changeMode);
    EXPECT_EQ(ui.selectRequests.back().title, "Change password");
    EXPECT_EQ(db.EncryptFiles, 0);
    EXPECT_TRUE(db.Modified);
    SaveWithWalk();
    // No reminder or verifier after the version, and the folder names in plain text.
    const std::vector<unsigned char>& bytes = fs.files["C:\\Data\\A.kv"];
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[8], 'F');
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 24), "Internet");
    ASSERT_TRUE(Flows().OpenPasswordFile("C:\\Data\\A.kv"));
    EXPECT_TRUE(ui.base.asked.empty());
}

TEST(NewFileRulesTest, FileNames) {
    EXPECT_EQ(CheckNewFileName("Secrets", "C:\\Prog\\").path, "C:\\Prog\\Secrets.kv");
    EXPECT_EQ(CheckNewFileName("backup.KV.old", "C:\\Prog\\").path, "C:\\Prog\\backup.KV.old");
    EXPECT_EQ(CheckNewFileName("C:\\Data\\a.kv", "C:\\Prog\\").path, "C:\\Data\\a.kv");
    EXPECT_EQ(CheckNewFileName("C:\\Data\\x.kv", "").problem, FileNameProblem::None);
    EXPECT_EQ(CheckNewFileName("a:b.kv", "").problem, FileNameProblem::ForbiddenCharacter);
    EXPECT_EQ(CheckNewFileName("x?.kv", "").problem, FileNameProblem::ForbiddenCharacter);
    EXPECT_EQ(CheckNewFileName("", "").problem, FileNameProblem::Empty);
}

TEST(NewFileRulesTest, OkIsEnabled) {
    EXPECT_TRUE(SelectPasswordOkEnabled(true, "a", "a", ""));
    EXPECT_FALSE(SelectPasswordOkEnabled(true, "a", "b", "x.kv"));
    EXPECT_FALSE(SelectPasswordOkEnabled(true, "", "", "x.kv"));
    EXPECT_TRUE(SelectPasswordOkEnabled(false, "", "x", "x.kv"));
    EXPECT_FALSE(SelectPasswordOkEnabled(false, "a", "a", ""));
}

TEST(NewFileRulesTest, AcceptingTheDialog) {
    test::MemoryFileSystem fs;
    test::ScriptedFlowUi ui;
    SelectPasswordInput input;
    input.protect = true;
    input.password = "a";
    input.confirmation = "b";
    input.fileName = "x";
    EXPECT_FALSE(AcceptSelectPassword(input, "C:\\P\\", fs, ui).has_value());
    EXPECT_EQ(ui.base.messages.back(), "The passwords do not match.");
    input.confirmation = "a";
    input.fileName = "a:b";
    EXPECT_FALSE(AcceptSelectPassword(input, "C:\\P\\", fs, ui).has_value());
    EXPECT_EQ(ui.warnings.back(), kForbiddenFileNameMessage);
    input.fileName = "";
    EXPECT_FALSE(AcceptSelectPassword(input, "C:\\P\\", fs, ui).has_value());
    EXPECT_EQ(ui.base.messages.back(), "You must enter a filename.");
    fs.files["C:\\P\\x.kv"] = {};
    input.fileName = "x";
    ui.base.answers = {Answer::No};
    EXPECT_FALSE(AcceptSelectPassword(input, "C:\\P\\", fs, ui).has_value());
    EXPECT_EQ(ui.base.questions.back(), "The C:\\P\\x.kv file already exists.\nDo you wish to overwrite it? [Yes/No]");
    input.openExisting = true;
    const std::optional<SelectPasswordResult> accepted = AcceptSelectPassword(input, "C:\\P\\", fs, ui);
    ASSERT_TRUE(accepted.has_value());
    EXPECT_EQ(accepted->fileName, "C:\\P\\x.kv");
    EXPECT_EQ(accepted->password, "a");
    input.protect = false;
    EXPECT_EQ(AcceptSelectPassword(input, "C:\\P\\", fs, ui)->password, "");
    EXPECT_EQ(std::string(kForbiddenFileNameMessage),
              "\nPlease do not use any of the following characters\nin the filename:\n\n                    "
              "/ \\ : * ? \" < > | ");
}

}  // namespace
}  // namespace kv
