#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/Records.h"
#include "views/SearchMatch.h"
#include "views/TrayTree.h"
#include "webforms/AutoFillMenu.h"

namespace kv {
namespace {

class TrayTreeTest : public ::testing::Test {
protected:
    TrayTreeTest() : tree_(db_, settings_, locale_) { ResetColumnSets(settings_); }

    int AddFolder(const std::string& path, Category category, std::vector<Record> records) {
        const int index = kv::AddFolder(db_, path, category);
        db_.Folders[static_cast<std::size_t>(index)].records.write() = std::move(records);
        return index;
    }

    // Every item's shown text in tree order, indented by its depth.
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (TrayItem item = tree_.First(); item.node != 0; item = tree_.Next(item)) texts.push_back(tree_.Text(item));
        return texts;
    }

    TrayItem ItemWithText(const std::string& text) {
        for (TrayItem item = tree_.First(); item.node != 0; item = tree_.Next(item)) {
            if (tree_.Text(item) == text) return item;
        }
        return {};
    }

    PasswordDatabase db_;
    AppSettings settings_;
    test::FixedLocale locale_;
    TrayTree tree_;
};

TEST_F(TrayTreeTest, RecordShowsItsFirstValueWithTheOthersBelowIt) {
    settings_.Mask = 0;
    AddFolder("Internet", kInternetCategory, {test::LoginRecord("", "", "s3cret"), test::LoginRecord("Mail", "ann", "pw")});
    tree_.BuildFromDatabase();
    // The first record's first non-empty column is the password: it is the record's item.
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Internet", "s3cret", "Mail", "ann", "pw"}));
    const TrayItem mail = ItemWithText("Mail");
    EXPECT_EQ(tree_.Children(mail).size(), 2u);
    EXPECT_TRUE(tree_.Children(ItemWithText("s3cret")).empty());
    EXPECT_EQ(tree_.CellOf(ItemWithText("pw")).column, kPassword);
    EXPECT_EQ(tree_.CellOf(ItemWithText("pw")).slot, 2);
}

TEST_F(TrayTreeTest, MaskedPasswordsShowStarsButGiveTheRealValue) {
    AddFolder("Internet", kInternetCategory, {test::LoginRecord("Bank", "", "s3cret")});
    tree_.BuildFromDatabase();
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], "*****");
    TrayItem password = tree_.Next(tree_.Next(tree_.First()));
    EXPECT_EQ(tree_.Value(password), "s3cret");
    EXPECT_EQ(tree_.Value(tree_.First()), "Internet");
}

TEST_F(TrayTreeTest, SubfoldersFollowTheRecordsAndTakeTheTopLevelCategory) {
    Record banking;
    banking.fields[kDescription] = "Savings";
    banking.fields[kBank] = "MyBank";
    banking.fields[kUsername] = "not in the banking columns";
    AddFolder("Money", kBankingCategory, {test::LoginRecord("Cash", "", "")});
    AddFolder("Money~Old", kDefaultCategory, {banking});
    AddFolder("Empty", 9, {Record{}});
    tree_.BuildFromDatabase();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Money", "Cash", "Old", "Savings", "MyBank", "Empty"}));
    EXPECT_EQ(tree_.CategoryOf(ItemWithText("Old").node), kBankingCategory);
    EXPECT_EQ(tree_.CategoryOf(ItemWithText("Empty").node), kDefaultCategory);
    EXPECT_FALSE(tree_.HasChildren(ItemWithText("Empty")));
    EXPECT_TRUE(tree_.HasChildren(ItemWithText("Money")));
}

TEST_F(TrayTreeTest, DeletedFoldersAreLeftOutAndTheEditorsOrderIsKept) {
    AddFolder("Alpha", kDefaultCategory, {});
    const int gone = AddFolder("Gone", kDefaultCategory, {test::LoginRecord("x", "", "")});
    AddFolder("Beta", kDefaultCategory, {});
    db_.Folders[static_cast<std::size_t>(gone)].present = 0;
    tree_.BuildFromDatabase();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Alpha", "Beta"}));

    FolderTreeModel editorOrder;
    editorOrder.Build(db_.Folders);
    editorOrder.Sort(false, [](const std::string& a, const std::string& b) { return a.compare(b); });
    tree_.Build(editorOrder);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Beta", "Alpha"}));
}

TEST_F(TrayTreeTest, FindGoesOnAfterTheSelectionAndWraps) {
    AddFolder("Internet", kInternetCategory, {test::LoginRecord("Bank one", "", ""), test::LoginRecord("Shop", "", "")});
    AddFolder("Banking", kBankingCategory, {test::LoginRecord("Bank two", "", "")});
    tree_.BuildFromDatabase();
    const std::uint32_t anywhere = kSearchAnywhere | kSearchIgnoreCase;
    const TrayItem first = tree_.Find({}, "bank", anywhere);
    EXPECT_EQ(tree_.Text(first), "Bank one");
    const TrayItem second = tree_.Find(first, "bank", anywhere);
    EXPECT_EQ(tree_.Text(second), "Banking");
    const TrayItem third = tree_.Find(second, "bank", anywhere);
    EXPECT_EQ(tree_.Text(third), "Bank two");
    EXPECT_EQ(tree_.Find(third, "bank", anywhere), first);
    EXPECT_EQ(tree_.Find(first, "Shop", 0), ItemWithText("Shop"));
    EXPECT_EQ(tree_.Find(first, "nowhere", anywhere).node, 0);
    // The selection itself is found last.
    EXPECT_EQ(tree_.Find(ItemWithText("Shop"), "Shop", 0), ItemWithText("Shop"));
}

TEST_F(TrayTreeTest, AllSitesColumnsAndFolderPopups) {
    std::vector<Record> records;
    for (int i = 0; i < 29; ++i) {
        Record record = test::LoginRecord("Site " + std::to_string(i), "", "");
        record.formData.push_back(FormField{});
        records.push_back(record);
    }
    records.push_back(test::LoginRecord("No form data", "", ""));
    AddFolder("Web", kInternetCategory, records);
    AddFolder("Web~Long", kInternetCategory, {});
    Record longName = test::LoginRecord(std::string(40, 'x'), "", "");
    longName.formData.push_back(FormField{});
    db_.Folders[1].records.write().push_back(longName);
    tree_.BuildFromDatabase();

    const AutoFillMenu menu = BuildAutoFillMenu(tree_);
    ASSERT_EQ(menu.folders.size(), 1u);
    EXPECT_EQ(menu.folders[0].text, "Web");
    ASSERT_EQ(menu.folders[0].children.size(), 30u);  // 29 records and the subfolder's popup
    EXPECT_TRUE(menu.folders[0].children.back().popup);
    EXPECT_EQ(menu.folders[0].children.back().children.front().text, std::string(40, 'x'));

    ASSERT_EQ(menu.allSites.size(), 30u);
    EXPECT_EQ(menu.allSites.back().text, std::string(32, 'x') + "...");
    std::vector<int> columns{0};
    for (const AutoFillEntry& entry : menu.allSites) {
        if (entry.columnBreak) columns.push_back(0);
        ++columns.back();
    }
    EXPECT_EQ(columns, (std::vector<int>{14, 14, 2}));
}

TEST(AutoFillMenuTest, ColumnsHoldEverythingUpToTwentyRecords) {
    EXPECT_EQ(AllSitesPerColumn(20), 21);
    EXPECT_EQ(AllSitesPerColumn(30), 15);
    EXPECT_EQ(AllSitesPerColumn(60), 20);
    EXPECT_EQ(AllSitesPerColumn(200), 50);
    EXPECT_EQ(AllSitesText(std::string(32, 'a')), std::string(32, 'a'));
}

}  // namespace
}  // namespace kv
