#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/Completion.h"

namespace kv {
namespace {

using Words = std::vector<std::string>;

Words Sorted(Words words) {
    std::sort(words.begin(), words.end());
    return words;
}

TEST(CompletionTest, MatchingIgnoresCaseAndNeedsTheWholeTypedText) {
    CompletionList list;
    for (const char* word : {"Gmail", "gmx.net", "Bank", "my gmail"}) list.Add(word);
    EXPECT_EQ(Sorted(list.Matches("GM")), (Words{"Gmail", "gmx.net"}));
    EXPECT_EQ(list.Matches("gMa"), (Words{"Gmail"}));
    EXPECT_EQ(list.Matches("gmail"), (Words{"Gmail"}));
    EXPECT_TRUE(list.Matches("gmail.com").empty());
    EXPECT_TRUE(list.Matches("mail").empty());
    EXPECT_TRUE(list.Matches("").empty());
}

TEST(CompletionTest, AccentedLettersMatchInEitherCase) {
    CompletionList list;
    list.Add("\xC9" "cole");  // "École" in the ANSI code page
    EXPECT_EQ(list.Matches("\xE9" "co"), (Words{"\xC9" "cole"}));
}

TEST(CompletionTest, WordsAreKeptOnceComparedExactly) {
    CompletionList list;
    for (const char* word : {"bank", "Bank", "bank", ""}) list.Add(word);
    EXPECT_EQ(list.Size(), 2u);
    EXPECT_EQ(Sorted(list.Matches("b")), (Words{"Bank", "bank"}));
    list.Clear();
    EXPECT_EQ(list.Size(), 0u);
    EXPECT_TRUE(list.Matches("b").empty());
}

class CompletionFillTest : public ::testing::Test {
protected:
    CompletionFillTest() {
        // Category 1 shows fields 0, 1, 2, 9 and 10; category 4 shows fields 3 and 4.
        AddRecord(AddFolder(db, "Web", kDefaultCategory), {"Mail", "bob", "secret"});
        // A sub-folder takes the columns of its top-level folder, not its own.
        AddRecord(AddFolder(db, "Web~Shops", kSoftwareCategory), {"Shop", "alice", ""});
        const int software = AddFolder(db, "Programs", kSoftwareCategory);
        AddRecord(software, {"Editor", "carol", "hidden"});
        db.Folders[static_cast<std::size_t>(software)].records.write()[0].fields[kTitle] = "Word";
        const int deleted = AddFolder(db, "Old", kDefaultCategory);
        AddRecord(deleted, {"Gone"});
        db.Folders[static_cast<std::size_t>(deleted)].present = 0;
    }

    // Adds a record whose first fields hold `texts`.
    void AddRecord(int folder, const std::vector<std::string>& texts) {
        Record record;
        std::copy(texts.begin(), texts.end(), record.fields.begin());
        record.fields[kEmail] = "bob@example.com";
        db.Folders[static_cast<std::size_t>(folder)].records.write().push_back(record);
    }

    CompletionList Filled() const {
        CompletionList list;
        FillCompletionList(list, db, settings);
        return list;
    }

    PasswordDatabase db;
    AppSettings settings;
};

TEST_F(CompletionFillTest, ValuesOfTheShownColumnsWithoutMaskedPasswords) {
    const CompletionList masked = Filled();
    EXPECT_EQ(masked.Size(), 5u);  // Mail, bob, Shop, alice, Word
    EXPECT_EQ(Sorted(masked.Matches("b")), (Words{"bob"}));
    EXPECT_EQ(masked.Matches("s"), (Words{"Shop"}));
    EXPECT_EQ(masked.Matches("a"), (Words{"alice"}));
    EXPECT_EQ(masked.Matches("w"), (Words{"Word"}));
    EXPECT_TRUE(masked.Matches("Editor").empty());
    EXPECT_TRUE(masked.Matches("Gone").empty());
    settings.Mask = 0;
    const CompletionList unmasked = Filled();
    EXPECT_EQ(unmasked.Size(), 6u);
    EXPECT_EQ(Sorted(unmasked.Matches("s")), (Words{"Shop", "secret"}));
    EXPECT_TRUE(unmasked.Matches("hidden").empty());
}

TEST_F(CompletionFillTest, OnlySlotsUpToTenCount) {
    settings.ColumnSets[3] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 11};
    const CompletionList list = Filled();
    EXPECT_EQ(list.Matches("e"), (Words{"Editor"}));
    EXPECT_TRUE(list.Matches("w").empty());
    EXPECT_TRUE(list.Matches("bob@").empty());
}

TEST_F(CompletionFillTest, NothingChangesWhileAutoCompleteIsOff) {
    CompletionList list;
    list.Add("kept");
    settings.AutoComplete = 0;
    FillCompletionList(list, db, settings);
    AddCommittedText(list, kDescription, "new", settings);
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.Matches("k"), (Words{"kept"}));
}

TEST(CompletionCommitTest, CommittedTextsAreAddedExceptMaskedPasswords) {
    AppSettings settings;
    CompletionList list;
    AddCommittedText(list, kDescription, "Mail", settings);
    AddCommittedText(list, kPassword, "secret", settings);
    EXPECT_EQ(list.Size(), 1u);
    settings.Mask = 0;
    AddCommittedText(list, kPassword, "secret", settings);
    EXPECT_EQ(list.Matches("S"), (Words{"secret"}));
}

}  // namespace
}  // namespace kv
