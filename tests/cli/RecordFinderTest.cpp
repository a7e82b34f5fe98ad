// The records that "kelvandor-cli search" reports.
#include <gtest/gtest.h>

#include "cli/RecordFinder.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/Records.h"
#include "views/SearchMatch.h"

namespace kv {
namespace {

constexpr std::uint32_t kDefaultOptions = kSearchIgnoreCase | kSearchAnywhere;

std::vector<int> Every() {
    std::vector<int> fields;
    for (int field = 0; field < kFieldCount; ++field) fields.push_back(field);
    return fields;
}

TEST(RecordFinderTest, ReportsEachMatchingRecordOnceWithItsFields) {
    PasswordDatabase db;
    AddFolder(db, "Gone", 1);
    db.Folders[0].records.write().push_back(test::LoginRecord("bank", "bank"));
    db.Folders[0].present = 0;
    AddFolder(db, "Banking", 3);
    Record both = test::LoginRecord("My bank", "", "bank1");
    both.fields[kNotes] = "{\\rtf1\\ansi Call the \\b bank\\b0.\\par}";
    db.Folders[1].records.write() = {test::LoginRecord("Shop"), both};
    const std::vector<RecordHit> hits = FindRecords(db, Every(), "BANK", kDefaultOptions, test::FixedLocale());
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].folder, 1u);
    EXPECT_EQ(hits[0].record, 1u);
    EXPECT_EQ(hits[0].fields, (std::vector<int>{kDescription, kPassword, kNotes}));
}

TEST(RecordFinderTest, WholeWordsCaseDatesAndRichTextControlWords) {
    PasswordDatabase db;
    AddFolder(db, "F", 1);
    Record record = test::LoginRecord("mybank online");
    record.fields[kNotes] = "{\\rtf1\\ansi plain \\b words\\b0\\par}";
    record.dateExpires = SystemTime{2030, 1, 2, 3, 0, 0, 0, 0};
    db.Folders[0].records.write() = {record};
    const test::FixedLocale locale;
    EXPECT_TRUE(FindRecords(db, Every(), "bank", kDefaultOptions, locale).size() == 1);
    EXPECT_TRUE(FindRecords(db, Every(), "bank", kSearchIgnoreCase, locale).empty());
    EXPECT_TRUE(FindRecords(db, Every(), "Online", kSearchAnywhere, locale).empty());
    EXPECT_TRUE(FindRecords(db, Every(), "rtf1", kDefaultOptions, locale).empty());
    EXPECT_EQ(FindRecords(db, Every(), "words", kSearchIgnoreCase, locale).at(0).fields, std::vector<int>{kNotes});
    const std::string expires = FormatDate(record.dateExpires, locale);
    EXPECT_EQ(FindRecords(db, Every(), expires, kDefaultOptions, locale).at(0).fields, std::vector<int>{kDateExpires});
    EXPECT_TRUE(FindRecords(db, {kDescription}, expires, kDefaultOptions, locale).empty());
}

}  // namespace
}  // namespace kv
