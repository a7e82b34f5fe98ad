// Records, folders, categories and dates.
#include <gtest/gtest.h>

#include "db/Database.h"
#include "tests/support/FixedLocale.h"

namespace kv {
namespace {

TEST(DatabaseTest, DefaultFoldersGetTheirCategoriesAndOneEmptyRecord) {
    PasswordDatabase db;
    CreateDefaultFolders(db);
    ASSERT_EQ(db.Folders.size(), 4u);
    const char* names[] = {"Internet", "Banking", "Software", "Email"};
    const Category categories[] = {2, 3, 4, 1};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(db.Folders[i].path, names[i]);
        EXPECT_EQ(db.Folders[i].category, categories[i]);
        ASSERT_EQ(db.Folders[i].records.size(), 1u);
        EXPECT_TRUE(HasEmptyFields(db.Folders[i].records[0]));
        EXPECT_EQ(db.Folders[i].present, 1);
    }
    EXPECT_TRUE(db.Modified);
}

TEST(DatabaseTest, TopLevelFolderGovernsTheCategory) {
    PasswordDatabase db;
    AddFolder(db, "Web", 2);
    AddFolder(db, "Web~Shops", 3);
    AddFolder(db, "Zero", 0);
    AddFolder(db, "Seven", 7);
    AddFolder(db, "Orphan~Child", 4);
    EXPECT_EQ(GoverningCategory(db, 1), 2);
    EXPECT_EQ(GoverningCategory(db, 0), 2);
    EXPECT_EQ(GoverningCategory(db, 2), 1);
    EXPECT_EQ(GoverningCategory(db, 3), 1);
    EXPECT_EQ(GoverningCategory(db, 4), 1);  // no present top-level folder
    EXPECT_EQ(GoverningCategory(db, 9), 1);
    db.Folders[0].present = 0;
    EXPECT_EQ(GoverningCategory(db, 1), 1);
}

TEST(DatabaseTest, CategoryAndFieldNames) {
    EXPECT_STREQ(DefaultCategoryName(1), "Default");
    EXPECT_STREQ(DefaultCategoryName(4), "Software");
    EXPECT_STREQ(DefaultCategoryName(0), "INVALID COLUMN");
    EXPECT_STREQ(DefaultCategoryName(5), "INVALID COLUMN");
    EXPECT_STREQ(DefaultFieldName(kSerialNumber), "Serial #");
    EXPECT_STREQ(DefaultFieldName(kNotes), "Notes");
}

TEST(DatabaseTest, DatesAreShownOnlyWhenYearMonthAndDayAreSet) {
    test::FixedLocale locale;
    EXPECT_EQ(FormatDate(SystemTime{}, locale), "");
    EXPECT_EQ(FormatDate(SystemTime{2001, 5, 0, 0, 0, 0, 0, 0}, locale), "");
    EXPECT_EQ(FormatDate(SystemTime{2001, 5, 0, 9, 0, 0, 0, 0}, locale), "5/9/2001");
    Record record;
    record.dateExpires = {2030, 12, 0, 31, 0, 0, 0, 0};
    UpdateDateTexts(record, locale);
    EXPECT_EQ(record.fields[kDateAssigned], "");
    EXPECT_EQ(record.fields[kDateExpires], "12/31/2030");
}

TEST(DatabaseTest, ExpiryNeedsAValidDateInThePast) {
    const SystemTime now{2026, 12, 1, 7, 12, 0, 0, 0};
    EXPECT_FALSE(IsExpired(SystemTime{}, now));
    EXPECT_FALSE(IsExpired(SystemTime{2001, 5, 0, 0, 0, 0, 0, 0}, now));
    EXPECT_FALSE(IsExpired(SystemTime{2001, 2, 0, 30, 0, 0, 0, 0}, now));  // 30 February
    EXPECT_FALSE(IsExpired(SystemTime{2001, 13, 0, 1, 0, 0, 0, 0}, now));
    EXPECT_TRUE(IsExpired(SystemTime{2001, 5, 0, 9, 0, 0, 0, 0}, now));
    EXPECT_TRUE(IsExpired(SystemTime{2026, 12, 0, 7, 11, 59, 59, 999}, now));
    EXPECT_FALSE(IsExpired(now, now));
    EXPECT_FALSE(IsExpired(SystemTime{2026, 12, 0, 7, 12, 0, 0, 1}, now));
    EXPECT_TRUE(IsExpired(SystemTime{2024, 2, 0, 29, 0, 0, 0, 0}, now));  // a leap day
    EXPECT_FALSE(IsExpired(SystemTime{2023, 2, 0, 29, 0, 0, 0, 0}, now));
}

TEST(DatabaseTest, FileNameIsThePartAfterTheLastBackslash) {
    EXPECT_EQ(FileNameOf("C:\\Data\\Secrets.kv"), "Secrets.kv");
    EXPECT_EQ(FileNameOf("Secrets.kv"), "Secrets.kv");
    EXPECT_EQ(FileNameOf("C:\\Data\\"), "");
}

}  // namespace
}  // namespace kv
