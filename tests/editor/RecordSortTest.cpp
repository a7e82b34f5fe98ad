#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "editor/RecordSort.h"
#include "tests/support/FixedLocale.h"

namespace kv {
namespace {

// Records carry a number in the name of a form field, which no sort looks at,
// so that the tests can follow where each record went.
Record Numbered(int number) {
    Record record;
    FormField tag;
    tag.name = std::to_string(number);
    record.formData = {tag};
    return record;
}

std::vector<int> Numbers(const std::vector<Record>& records) {
    std::vector<int> numbers;
    for (const Record& record : records) numbers.push_back(std::stoi(record.formData.front().name));
    return numbers;
}

Record Described(int number, const std::string& description) {
    Record record = Numbered(number);
    record.fields[kDescription] = description;
    return record;
}

Record Expiring(int number, const SystemTime& expires) {
    Record record = Described(number, "dated");
    record.dateExpires = expires;
    return record;
}

// The numbers of the records after sorting a copy of them.
std::vector<int> Sorted(std::vector<Record> records, int field, bool ascending) {
    const test::FixedLocale locale;
    SortRecords(records, field, ascending, locale);
    return Numbers(records);
}

TEST(RecordSortTest, TextsCompareWithoutCaseAndTiesKeepTheirOrder) {
    const std::vector<Record> records = {Described(0, "beta"), Described(1, "Alpha"), Described(2, "BETA"),
                                         Described(3, "alpha"), Described(4, "Gamma")};
    EXPECT_EQ(Sorted(records, kDescription, true), (std::vector<int>{1, 3, 0, 2, 4}));
    EXPECT_EQ(Sorted(records, kDescription, false), (std::vector<int>{4, 0, 2, 1, 3}));
}

TEST(RecordSortTest, TheSortTellsWhereEachRecordCameFrom) {
    std::vector<Record> records = {Described(0, "beta"), Described(1, "Alpha"), Described(2, "gamma")};
    const test::FixedLocale locale;
    EXPECT_EQ(SortRecords(records, kDescription, false, locale), (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(SortRecords(records, -1, true, locale), (std::vector<std::size_t>{0, 1, 2}));
}

TEST(RecordSortTest, UndatedRecordsComeLastInBothDirections) {
    const std::vector<Record> records = {
        Expiring(0, {2025, 3, 0, 1, 0, 0, 0, 0}),  Expiring(1, {}),
        Expiring(2, {2024, 1, 0, 15, 0, 0, 0, 0}), Expiring(3, {2024, 13, 0, 1, 0, 0, 0, 0}),  // no such month
        Expiring(4, {2026, 7, 0, 4, 0, 0, 0, 0}),  Expiring(5, {2001, 5, 0, 0, 0, 0, 0, 0}),   // no day
    };
    EXPECT_EQ(Sorted(records, kDateExpires, true), (std::vector<int>{2, 0, 4, 1, 3, 5}));
    EXPECT_EQ(Sorted(records, kDateExpires, false), (std::vector<int>{4, 0, 2, 1, 3, 5}));
}

TEST(RecordSortTest, DateAssignedSortsByItsOwnDate) {
    std::vector<Record> records = {Expiring(0, {2020, 1, 0, 1, 0, 0, 0, 0}), Expiring(1, {2030, 1, 0, 1, 0, 0, 0, 0})};
    records[0].dateAssigned = {2024, 6, 0, 2, 0, 0, 0, 0};
    records[1].dateAssigned = {2024, 6, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(Sorted(records, kDateAssigned, true), (std::vector<int>{1, 0}));
    EXPECT_EQ(Sorted(records, kDateExpires, true), (std::vector<int>{0, 1}));
}

TEST(RecordSortTest, EmptyRecordsComeLastInBothDirections) {
    std::vector<Record> records = {Numbered(0), Described(1, "b"), Numbered(2), Described(3, "a"), Numbered(4),
                                   Numbered(5)};
    records[2].fields[kNotes] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\par}";  // rich text without text
    records[4].fields[kNotes] = "{\\rtf1 x}";
    records[5].fields[kPhone] = "555";
    EXPECT_EQ(Sorted(records, kDescription, true), (std::vector<int>{4, 5, 3, 1, 0, 2}));
    EXPECT_EQ(Sorted(records, kDescription, false), (std::vector<int>{1, 3, 4, 5, 0, 2}));
    EXPECT_EQ(Sorted(records, kDateExpires, false), (std::vector<int>{1, 3, 4, 5, 0, 2}));
}

TEST(RecordSortTest, FieldsOutsideTheCatalogueLeaveTheOrder) {
    const std::vector<Record> records = {Described(0, "b"), Described(1, "a")};
    EXPECT_EQ(Sorted(records, -1, true), (std::vector<int>{0, 1}));
    EXPECT_EQ(Sorted(records, kFieldCount, true), (std::vector<int>{0, 1}));
}

// Records drawn from few values, so that many tie, with empty records and
// missing and invalid dates among them.
std::vector<Record> RandomRecords(std::mt19937& random, std::size_t count) {
    static const char* const kTexts[] = {"", "alpha", "Alpha", "beta", "BETA", "gamma", "delta", "Delta"};
    static const SystemTime kDates[] = {{}, {2024, 2, 0, 30, 0, 0, 0, 0}, {2023, 5, 0, 1, 0, 0, 0, 0},
                                        {2023, 5, 0, 1, 12, 0, 0, 0}, {2031, 12, 0, 24, 0, 0, 0, 0}};
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    std::vector<Record> records;
    for (std::size_t i = 0; i < count; ++i) {
        Record record = Numbered(static_cast<int>(i));
        record.dateAssigned = kDates[pick(std::size(kDates))];
        record.dateExpires = kDates[pick(std::size(kDates))];
        switch (pick(8)) {
            case 0: break;  // empty
            case 1: record.fields[kNotes] = "{\\rtf1 }"; break;  // empty too
            default:
                for (const int field : {kDescription, kUsername, kBank, kNotes}) {
                    record.fields[static_cast<std::size_t>(field)] = kTexts[pick(std::size(kTexts))];
                }
                break;
        }
        records.push_back(record);
    }
    return records;
}

TEST(RecordSortTest, StableSortOrdersAsTheExchangeSort) {
    const test::FixedLocale locale;
    std::mt19937 random(7);
    for (const std::size_t count : {0, 1, 2, 3, 17, 40, 150, 300}) {
        const std::vector<Record> records = RandomRecords(random, count);
        for (const int field : {kDescription, kUsername, kBank, kDateAssigned, kDateExpires, kNotes}) {
            for (const bool ascending : {true, false}) {
                std::vector<Record> fast = records;
                std::vector<Record> reference = records;
                SortRecords(fast, field, ascending, locale);
                ExchangeSortRecords(reference, field, ascending, locale);
                EXPECT_EQ(Numbers(fast), Numbers(reference))
                    << count << " records, field " << field << (ascending ? " ascending" : " descending");
                EXPECT_EQ(fast, reference);
                // In order once sorted; before, only when the sort changed nothing.
                EXPECT_TRUE(RecordsInOrder(fast, field, ascending, locale));
                EXPECT_EQ(RecordsInOrder(records, field, ascending, locale), fast == records);
            }
        }
    }
}

}  // namespace
}  // namespace kv
