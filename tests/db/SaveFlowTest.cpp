#include <gtest/gtest.h>

#include "db/SaveFlow.h"
#include "tests/support/FileHarness.h"

namespace kv {
namespace {

using test::FileHarness;

SaveOutcome Save(FileHarness& h, bool ask, bool allowCancel) {
    return SaveDatabase(h.db, h.ui, h.fs, h.locale, FoldersInArrayOrder(h.db), ask, allowCancel);
}

TEST(SaveFlowTest, AskingOnlyWhenModified) {
    FileHarness h;
    EXPECT_EQ(Save(h, true, true), SaveOutcome::NotSaved);
    EXPECT_TRUE(h.ui.questions.empty());
    EXPECT_FALSE(h.fs.Exists(test::kTestPath));
    EXPECT_EQ(Save(h, false, false), SaveOutcome::Saved);
    EXPECT_TRUE(h.fs.Exists(test::kTestPath));
}

TEST(SaveFlowTest, YesNoAndCancel) {
    FileHarness h;
    h.db.Modified = true;
    h.ui.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_EQ(Save(h, true, true), SaveOutcome::Cancelled);
    EXPECT_TRUE(h.db.Modified);
    EXPECT_EQ(Save(h, true, false), SaveOutcome::Saved);
    EXPECT_FALSE(h.db.Modified);
    EXPECT_EQ(h.ui.questions, (std::vector<std::string>{"Do you wish to save your changes to Secrets.kv? [Yes/No/Cancel]",
                                                        "Do you wish to save your changes to Secrets.kv? [Yes/No]"}));
    h.db.Modified = true;
    h.fs.files.clear();
    h.ui.answers = {Answer::No};
    EXPECT_EQ(Save(h, true, true), SaveOutcome::NotSaved);
    EXPECT_FALSE(h.db.Modified);
    EXPECT_TRUE(h.fs.files.empty());
}

TEST(SaveFlowTest, FailedWriteKeepsTheChangesMarked) {
    FileHarness h;
    h.db.Modified = true;
    h.fs.failReplace = true;
    EXPECT_EQ(Save(h, false, false), SaveOutcome::Failed);
    EXPECT_TRUE(h.db.Modified);
    EXPECT_EQ(h.ui.messages.size(), 1u);
}

TEST(SaveFlowTest, FileNotReadCompletelyIsNeverWritten) {
    FileHarness h;
    h.db.FileLoaded = 0;
    h.db.Modified = true;
    EXPECT_EQ(Save(h, false, false), SaveOutcome::NotSaved);
    EXPECT_TRUE(h.fs.files.empty());
}

}  // namespace
}  // namespace kv
