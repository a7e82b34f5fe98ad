// The report dialog's choices as the settings keep them.
#include <gtest/gtest.h>

#include "tests/support/MemorySettings.h"
#include "transfer/ReportSettings.h"

namespace kv {
namespace {

using test::MemorySettings;

TEST(ReportSettingsTest, AMissingKeyGivesTheDefaults) {
    MemorySettings storage;
    storage.exists = false;
    const ReportSettings settings = LoadReportSettings(storage);
    EXPECT_EQ(settings.ReportHeading, "");
    EXPECT_EQ(settings.ReportFontSize, -1);
    EXPECT_EQ(ShownReportFontSize(settings), 8);
    EXPECT_EQ(settings.ReportBars, 0u);
    EXPECT_EQ(settings.ReportExpiredOnly, 0u);
    EXPECT_EQ(settings.ReportPageBreak, 1u);
}

TEST(ReportSettingsTest, SaveThenLoadGivesTheSameChoices) {
    MemorySettings storage;
    ReportSettings saved;
    saved.ReportHeading = "Kelvandor - Home.kv";
    saved.ReportFontSize = 30;
    saved.ReportBars = 1;
    saved.ReportExpiredOnly = 1;
    saved.ReportPageBreak = 0;
    SaveReportSettings(storage, saved);
    const ReportSettings loaded = LoadReportSettings(storage);
    EXPECT_EQ(loaded.ReportHeading, saved.ReportHeading);
    EXPECT_EQ(loaded.ReportFontSize, 30);
    EXPECT_EQ(ShownReportFontSize(loaded), 30);
    EXPECT_EQ(loaded.ReportBars, 1u);
    EXPECT_EQ(loaded.ReportExpiredOnly, 1u);
    EXPECT_EQ(loaded.ReportPageBreak, 0u);
}

TEST(ReportSettingsTest, TheUnsetSizeIsStoredAsMinusOneAndReadBack) {
    MemorySettings storage;
    SaveReportSettings(storage, ReportSettings());
    EXPECT_EQ(storage.Number("ReportFontSize"), 0xFFFFFFFFu);
    EXPECT_EQ(LoadReportSettings(storage).ReportFontSize, -1);
}

TEST(ReportSettingsTest, SizesAndFlagsOutsideTheirRangeKeepTheirDefaults) {
    MemorySettings storage;
    storage.values["ReportFontSize"] = std::uint32_t{45};
    storage.values["ReportBars"] = std::uint32_t{2};
    storage.values["ReportPageBreak"] = std::string("0");
    const ReportSettings loaded = LoadReportSettings(storage);
    EXPECT_EQ(loaded.ReportFontSize, -1);
    EXPECT_EQ(loaded.ReportBars, 0u);
    EXPECT_EQ(loaded.ReportPageBreak, 1u);
    storage.values["ReportFontSize"] = std::uint32_t{5};
    EXPECT_EQ(LoadReportSettings(storage).ReportFontSize, -1);
    storage.values["ReportFontSize"] = std::uint32_t{6};
    EXPECT_EQ(LoadReportSettings(storage).ReportFontSize, 6);
}

}  // namespace
}  // namespace kv
