#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/CellEditing.h"
#include "tests/support/FixedLocale.h"
#include "views/GridColumns.h"

namespace kv {
namespace {

TEST(CellEditingTest, ChangingANonEmptyCellPushesAnEditLevel) {
    EXPECT_EQ(EditUndoLabel("Username", "alice", "bob"), "edit Username: bob");
    EXPECT_EQ(EditUndoLabel("Username", "", "bob"), "edit Username: bob");
    EXPECT_EQ(EditUndoLabel("Username", "bob", "bob"), std::nullopt);
    EXPECT_EQ(EditUndoLabel("Username", "alice", ""), std::nullopt);
    EXPECT_EQ(EditUndoLabel("", "alice", "bob"), "edit : bob");
}

TEST(CellEditingTest, AMaskedPasswordComparesWithTheMask) {
    // The editor shows the real password, the cell "*****": any commit of a set password is a change.
    EXPECT_EQ(EditUndoLabel("Password", "secret", "*****"), "edit Password: *****");
    EXPECT_EQ(EditUndoLabel("Password", "secret", ""), std::nullopt);
}

TEST(CellEditingTest, CutAndClearPushALevelOnlyForANonEmptyCell) {
    const test::FixedLocale locale;
    Record record;
    record.fields[kBank] = "First National";
    EXPECT_EQ(CutUndoLabel("Bank", record, kBank, true, locale), "delete Bank: First National");
    EXPECT_EQ(ClearUndoLabel("Bank", record, kBank, true, locale), "clear Bank: First National");
    EXPECT_EQ(CutUndoLabel("Account", record, kAccount, false, locale), std::nullopt);
    EXPECT_EQ(ClearUndoLabel("Account", record, kAccount, false, locale), std::nullopt);
}

TEST(CellEditingTest, CutAndClearOfAMaskedPasswordNameTheMaskNotThePassword) {
    const test::FixedLocale locale;
    Record record;
    record.fields[kPassword] = "hunter2";
    EXPECT_EQ(CutUndoLabel("Password", record, kPassword, true, locale), "delete Password: *****");
    EXPECT_EQ(ClearUndoLabel("Password", record, kPassword, true, locale), "clear Password: *****");
    // Unmasked, the cell shows the password: so does the label.
    EXPECT_EQ(CutUndoLabel("Password", record, kPassword, false, locale), "delete Password: hunter2");
}

class CommitTest : public ::testing::Test {
protected:
    CommitTest() {
        settings.ExpirationDays = 90;
        folder.records.write().resize(2);
    }

    // Commits into a folder of category `category` with the settings' expiry days.
    bool Commit(int row, int field, const std::string& text, std::optional<SystemTime> date = std::nullopt,
                Category category = kDefaultCategory) {
        const std::vector<int> columns = GridColumns(settings, category);
        return CommitCellText(folder, row, field, text, date, {columns, settings.ExpirationDays, locale});
    }

    const Record& At(int row) const { return folder.records[static_cast<std::size_t>(row)]; }

    test::FixedLocale locale;
    AppSettings settings;
    Folder folder;
    const SystemTime march10{2026, 3, 2, 10, 9, 30, 0, 0};
    const SystemTime june8{2026, 6, 1, 8, 9, 30, 0, 0};
};

TEST_F(CommitTest, StoresTheTextAndTheLinkedFormData) {
    FormField user;
    user.column = kUsername;
    FormField other;
    other.column = kPassword;
    other.value = "kept";
    folder.records.write()[1].formData = {user, other, user};
    EXPECT_FALSE(Commit(1, kUsername, "alice"));
    EXPECT_EQ(At(1).fields[kUsername], "alice");
    EXPECT_EQ(At(1).formData[0].value, "alice");
    EXPECT_EQ(At(1).formData[1].value, "kept");
    EXPECT_EQ(At(1).formData[2].value, "alice");
    EXPECT_EQ(At(0).fields[kUsername], "");
}

TEST_F(CommitTest, ARowBeyondTheLastRecordAppendsEmptyRecords) {
    Commit(4, kDescription, "new");
    ASSERT_EQ(folder.records.size(), 5u);
    EXPECT_EQ(At(4).fields[kDescription], "new");
    EXPECT_TRUE(HasEmptyFields(At(2)));
    EXPECT_TRUE(HasEmptyFields(At(3)));
}

TEST_F(CommitTest, ThePickedDateBecomesTheDateValueAndItsText) {
    settings.ExpirationDays = 0;
    Commit(0, kDateAssigned, "typed", march10);
    EXPECT_EQ(At(0).dateAssigned, march10);
    EXPECT_EQ(At(0).fields[kDateAssigned], "3/10/2026");
    EXPECT_EQ(At(0).dateExpires, SystemTime{});
}

TEST_F(CommitTest, EmptyingADateCellUnsetsTheDate) {
    settings.ExpirationDays = 0;
    Commit(0, kDateAssigned, "3/10/2026", march10);
    Commit(0, kDateAssigned, "", std::nullopt);
    EXPECT_EQ(At(0).fields[kDateAssigned], "");
    EXPECT_EQ(At(0).dateAssigned, SystemTime{});
}

TEST_F(CommitTest, DateAssignedFillsAnEmptyDateExpiresLater) {
    EXPECT_TRUE(Commit(0, kDateAssigned, "3/10/2026", march10));
    EXPECT_EQ(At(0).dateExpires, june8);
    EXPECT_EQ(At(0).fields[kDateExpires], "6/8/2026");
}

TEST_F(CommitTest, AnExistingDateExpiresStays) {
    const SystemTime set{2027, 1, 5, 1, 0, 0, 0, 0};
    Commit(0, kDateExpires, "1/1/2027", set);
    EXPECT_FALSE(Commit(0, kDateAssigned, "3/10/2026", march10));
    EXPECT_EQ(At(0).dateExpires, set);
    EXPECT_EQ(At(0).fields[kDateExpires], "1/1/2027");
}

TEST_F(CommitTest, NoExpiryWithoutItsColumnOrWithoutExpiryDays) {
    EXPECT_FALSE(Commit(0, kDateAssigned, "3/10/2026", march10, kInternetCategory));
    EXPECT_EQ(At(0).fields[kDateExpires], "");
    settings.ExpirationDays = 0;
    EXPECT_FALSE(Commit(1, kDateAssigned, "3/10/2026", march10));
    EXPECT_EQ(At(1).fields[kDateExpires], "");
    EXPECT_EQ(At(1).dateExpires, SystemTime{});
}

TEST_F(CommitTest, OnlyCommittingDateAssignedFillsTheExpiry) {
    settings.ExpirationDays = 0;
    Commit(0, kDateAssigned, "3/10/2026", march10);
    settings.ExpirationDays = 90;
    EXPECT_FALSE(Commit(0, kDescription, "mail"));
    EXPECT_EQ(At(0).fields[kDateExpires], "");
}

TEST(EditorStartTextTest, ALetterOrDigitStartsTheEditorInTheCaseTyped) {
    const auto start = [](char typed, bool shift, bool caps) {
        const EditorStart result = EditorStartText("old text", typed, shift, caps);
        EXPECT_FALSE(result.selectAll);
        return result.text;
    };
    EXPECT_EQ(start('A', false, false), "a");
    EXPECT_EQ(start('a', false, false), "a");
    EXPECT_EQ(start('A', true, false), "A");
    EXPECT_EQ(start('a', false, true), "A");
    EXPECT_EQ(start('Q', true, true), "Q");
    EXPECT_EQ(start('7', true, false), "7");
}

TEST(EditorStartTextTest, OtherKeysSelectTheWholeText) {
    for (const char typed : {' ', '-', '\t', '\xE9'}) {
        const EditorStart start = EditorStartText("old text", typed, false, false);
        EXPECT_EQ(start.text, "old text");
        EXPECT_TRUE(start.selectAll);
    }
}

}  // namespace
}  // namespace kv
