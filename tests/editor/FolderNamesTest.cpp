#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/FolderNames.h"

namespace kv {
namespace {

using NodeId = FolderTreeModel::NodeId;
constexpr NodeId kRoot = FolderTreeModel::kRoot;

class FolderNamesTest : public ::testing::Test {
protected:
    FolderNamesTest() {
        internet_ = model_.AddChild(kRoot, "Internet", 0);
        banking_ = model_.AddChild(kRoot, "Banking", 1);
        mail_ = model_.AddChild(internet_, "Mail", 2);
    }

    FolderTreeModel model_;
    NodeId internet_ = 0, banking_ = 0, mail_ = 0;
};

TEST_F(FolderNamesTest, AnEmptyNameIsRefusedWithoutMessage) {
    EXPECT_EQ(CheckFolderName(model_, kRoot, ""), FolderNameCheck::Empty);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "", internet_), FolderNameCheck::Empty);
    EXPECT_EQ(FolderNameMessage(FolderNameCheck::Empty), "");
}

TEST_F(FolderNamesTest, ASiblingsExactNameIsRefused) {
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Banking"), FolderNameCheck::Duplicate);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Banking", internet_), FolderNameCheck::Duplicate);
    EXPECT_EQ(FolderNameMessage(FolderNameCheck::Duplicate), "An entry with that name already exists");
    // Only siblings count, and only the exact bytes.
    EXPECT_EQ(CheckFolderName(model_, internet_, "Banking"), FolderNameCheck::Ok);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Mail"), FolderNameCheck::Ok);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "banking", internet_), FolderNameCheck::Ok);
}

TEST_F(FolderNamesTest, AFolderMayKeepOrRecaseItsOwnName) {
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Internet", internet_), FolderNameCheck::Ok);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "INTERNET", internet_), FolderNameCheck::Ok);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Internet"), FolderNameCheck::Duplicate);
}

TEST_F(FolderNamesTest, AnotherSiblingWithTheOwnNameStillCounts) {
    const NodeId twin = model_.AddChild(kRoot, "Banking", 3);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Banking", twin), FolderNameCheck::Duplicate);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "Banking", banking_), FolderNameCheck::Duplicate);
}

TEST_F(FolderNamesTest, TheTildeIsRefused) {
    EXPECT_EQ(CheckFolderName(model_, internet_, "a~b", mail_), FolderNameCheck::Tilde);
    EXPECT_EQ(CheckFolderName(model_, kRoot, "~"), FolderNameCheck::Tilde);
    EXPECT_EQ(FolderNameMessage(FolderNameCheck::Tilde), "Please do not use the ~ character in folder names.");
    // Checked before the length.
    EXPECT_EQ(CheckFolderName(model_, kRoot, std::string(300, 'x') + "~"), FolderNameCheck::Tilde);
}

TEST_F(FolderNamesTest, TheFullPathMayHave259Characters) {
    // "Internet~Mail~" takes 14 characters.
    EXPECT_EQ(CheckFolderName(model_, mail_, std::string(245, 'x')), FolderNameCheck::Ok);
    EXPECT_EQ(CheckFolderName(model_, mail_, std::string(246, 'x')), FolderNameCheck::TooLong);
    EXPECT_EQ(CheckFolderName(model_, kRoot, std::string(259, 'x')), FolderNameCheck::Ok);
    EXPECT_EQ(CheckFolderName(model_, kRoot, std::string(260, 'x')), FolderNameCheck::TooLong);
    EXPECT_EQ(CheckFolderName(model_, internet_, std::string(251, 'x'), mail_), FolderNameCheck::TooLong);
    EXPECT_EQ(FolderNameMessage(FolderNameCheck::TooLong),
              "The full length of this folder exceeds the maximum size of 260 characters.\nPlease shorten the name or "
              "create a new non-subfolder.");
}

TEST_F(FolderNamesTest, ADropFollowsTheSameRules) {
    EXPECT_EQ(CheckFolderDrop(model_, mail_, banking_), FolderNameCheck::Ok);
    const NodeId otherMail = model_.AddChild(banking_, "Mail", 3);
    EXPECT_EQ(CheckFolderDrop(model_, mail_, banking_), FolderNameCheck::Duplicate);
    EXPECT_EQ(CheckFolderDrop(model_, otherMail, internet_), FolderNameCheck::Duplicate);
    EXPECT_EQ(CheckFolderDrop(model_, mail_, kRoot), FolderNameCheck::Ok);
    model_.AddChild(kRoot, "Mail", 4);
    EXPECT_EQ(CheckFolderDrop(model_, mail_, kRoot), FolderNameCheck::Duplicate);
}

TEST_F(FolderNamesTest, ADropMustKeepTheDeepestPathWithinTheLimit) {
    // "Internet~Mail~" + 245 = 259 characters; under "Banking" the same leaf has 258.
    model_.AddChild(mail_, std::string(245, 'x'), 3);
    EXPECT_EQ(CheckFolderDrop(model_, mail_, banking_), FolderNameCheck::Ok);
    const NodeId longer = model_.AddChild(kRoot, std::string(250, 'y'), 4);
    EXPECT_EQ(CheckFolderDrop(model_, mail_, longer), FolderNameCheck::TooLong);
    EXPECT_EQ(CheckFolderDrop(model_, internet_, longer), FolderNameCheck::TooLong);
}

TEST_F(FolderNamesTest, AnAcceptedNameHasNoMessage) {
    EXPECT_EQ(CheckFolderName(model_, banking_, "Savings"), FolderNameCheck::Ok);
    EXPECT_EQ(FolderNameMessage(FolderNameCheck::Ok), "");
}

}  // namespace
}  // namespace kv
