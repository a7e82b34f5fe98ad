#include <gtest/gtest.h>

#include "tests/support/FixedLocale.h"
#include "db/Database.h"
#include "tests/support/Records.h"
#include "webforms/PassCardImport.h"

namespace kv {
namespace {

std::string Card(const std::string& name, const std::string& fieldName, const std::string& value) {
    return "<td class=caption>" + name + "</td><td class=field>" + fieldName + "</td><td class=wordbreakfield>" +
           value + "</td>";
}

std::string Page(const std::string& cards) { return "<title>RoboForm Passcards List</title>" + cards; }

class PassCardImportTest : public ::testing::Test {
protected:
    static PasswordDatabase TwoFolders() {
        PasswordDatabase db;
        AddFolder(db, "Target", kDefaultCategory);
        AddFolder(db, "Elsewhere", kDefaultCategory);
        return db;
    }

    PassCardImportResult Import(const std::string& bytes) { return ImportPassCards(bytes, db, 0, locale); }

    test::FixedLocale locale;
    PasswordDatabase db = TwoFolders();
    Folder& folder = db.Folders[0];
};

TEST_F(PassCardImportTest, ACardNamedLikeARecordReplacesItsFieldsDatesAndFormData) {
    Record old = test::LoginRecord("Bank", "old", "oldpw");
    old.dateExpires = {2020, 1, 0, 1, 0, 0, 0, 0};
    old.formData.push_back(FormField{});
    folder.records.write() = {test::LoginRecord("Other"), old};
    const PassCardImportResult result = Import(Page(Card("Bank", "Password$", "new")));
    EXPECT_EQ(result.count, 1u);
    ASSERT_EQ(folder.records.size(), 2u);
    const Record& bank = folder.records[1];
    EXPECT_EQ(bank.fields[kUsername], "");
    EXPECT_EQ(bank.fields[kPassword], "new");
    EXPECT_EQ(bank.dateExpires, SystemTime{});
    EXPECT_EQ(bank.dateAssigned, locale.now);
    EXPECT_EQ(bank.fields[kDateAssigned], "12/7/2026");
    ASSERT_EQ(bank.formData.size(), 1u);
    EXPECT_EQ(bank.formData[0].column, kPassword);
}

TEST_F(PassCardImportTest, TwoCardsOfOneNameMakeOneRecord) {
    Import(Page(Card("Site", "User ID$", "a") + Card("Site", "User ID$", "b")));
    ASSERT_EQ(folder.records.size(), 1u);
    EXPECT_EQ(folder.records[0].fields[kUsername], "b");
}

TEST_F(PassCardImportTest, OtherFieldNamesAreLeftToTheClassifier) {
    Import(Page(Card("Site", "Login$", "ann") + "<td class=field>email</td><td class=wordbreakfield>a@x</td>"
                                                "<td class=field>mail2</td><td class=wordbreakfield>b@x</td>"));
    ASSERT_EQ(folder.records.size(), 1u);
    const Record& record = folder.records[0];
    EXPECT_EQ(record.fields[kUsername], "ann");
    EXPECT_EQ(record.fields[kEmail], "a@x");
    ASSERT_EQ(record.formData.size(), 3u);
    EXPECT_EQ(record.formData[0].column, kUsername);
    EXPECT_EQ(record.formData[2].column, -1);
}

TEST_F(PassCardImportTest, ANonBreakingSpaceValueIsASpace) {
    Import(Page(Card("S", "Password$", "&nbsp;")));
    EXPECT_EQ(folder.records[0].fields[kPassword], " ");
}

TEST_F(PassCardImportTest, Summaries) {
    PassCardImportResult none = Import(Page(""));
    EXPECT_EQ(PassCardSummary(none),
              "No  RoboForm PassCards were imported.\n\nYou must upgrade your RoboForm software to version 5.4.5 "
              "or higher\nto use the import feature.");
    PassCardImportResult two = Import(Page(Card("A", "x", "1") + Card("B", "y", "2")));
    EXPECT_EQ(PassCardSummary(two), "2  RoboForm PassCards were imported.");
    EXPECT_EQ(PassCardSummary(Import("<html>")), "This does not appear to be a valid PassCard file.");
    EXPECT_EQ(folder.records.size(), 2u);
}

TEST_F(PassCardImportTest, AnInvalidFolderIndexImportsNothing) {
    const PassCardImportResult result = ImportPassCards(Page(Card("A", "x", "1")), db, 2, locale);
    EXPECT_EQ(PassCardSummary(result), "Invalid folder index");
    EXPECT_FALSE(db.Modified);
}

TEST_F(PassCardImportTest, ARecordOfAnotherFolderIsNotReplaced) {
    db.Folders[1].records.write().push_back(test::LoginRecord("Mail", "keep"));
    Import(Page(Card("Mail", "User ID$", "new")));
    EXPECT_EQ(db.Folders[1].records[0].fields[kUsername], "keep");
    ASSERT_EQ(folder.records.size(), 1u);
    EXPECT_EQ(folder.records[0].fields[kUsername], "new");
    EXPECT_TRUE(db.Modified);
}

}  // namespace
}  // namespace kv
