#include <gtest/gtest.h>

#include "tests/support/FixedLocale.h"
#include "views/GridColumns.h"

namespace kv {
namespace {

TEST(GridColumnsTest, ColumnsOfACategory) {
    AppSettings settings;
    EXPECT_EQ(GridColumns(settings, 3), (std::vector<int>{0, 5, 6, 7, 8, 10}));
    EXPECT_EQ(GridColumns(settings, 0), (std::vector<int>{0, 1, 2, 9, 10}));  // invalid: category 1
    settings.ColumnSets[3] = {-1, 11, -1, 4, -1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(GridColumns(settings, 4), (std::vector<int>{11, 4}));
}

TEST(GridColumnsTest, CellTexts) {
    test::FixedLocale locale;
    Record record;
    record.fields[kPassword] = "a very long password indeed";
    record.fields[kDateAssigned] = "stale text";
    record.dateAssigned = {2024, 3, 0, 9, 0, 0, 0, 0};
    EXPECT_EQ(CellText(record, kPassword, true, locale), "*****");
    EXPECT_EQ(CellText(record, kPassword, false, locale), "a very long password indeed");
    EXPECT_EQ(CellText(record, kDateAssigned, true, locale), "3/9/2024");
    EXPECT_EQ(CellText(record, kDateExpires, true, locale), "");
    record.fields[kPassword].clear();
    EXPECT_EQ(CellText(record, kPassword, true, locale), "");
}

}  // namespace
}  // namespace kv
