// Loading and saving the settings with their defaults and rules.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "settings/Settings.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemorySettings.h"

namespace kv {
namespace {

using test::MemorySettings;

const ColumnList kDefaultCategoryOne = {0, 1, 2, 9, 10, -1, -1, -1, -1, -1, -1, -1};

TEST(SettingsTest, MissingKeyKeepsEveryDefault) {
    MemorySettings storage;
    storage.exists = false;
    AppSettings settings;
    std::int32_t encrypt = 1;
    LoadSettings(storage, settings, encrypt);
    EXPECT_EQ(settings.SearchOptions, 3u);
    EXPECT_EQ(settings.Transparency, 255u);
    EXPECT_EQ(settings.ClearSeconds, 30u);
    EXPECT_EQ(settings.Init, 1u);
    EXPECT_EQ(settings.ReportColumns, "1,1,1,1,1,1,1");
    EXPECT_EQ(settings.ColumnSets[0], kDefaultCategoryOne);
    EXPECT_EQ(settings.ColumnSets[4], (ColumnList{1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(settings.CategoryNames[2], "Banking");
    EXPECT_EQ(settings.CategoryNames[4], "");
    EXPECT_EQ(settings.ColumnNames[5], "Credit card #");
    EXPECT_EQ(settings.ColumnIcons[0], 185);
    EXPECT_EQ(settings.ColumnIcons[11], 0);
    EXPECT_EQ(encrypt, 1);
}

TEST(SettingsTest, SaveThenLoadGivesTheSameSettings) {
    MemorySettings storage;
    AppSettings saved;
    saved.LastFile = "C:\\Data\\Secrets.kv";
    saved.Transparency = 200;
    saved.SysTrayIcon = 0;
    saved.ClearSeconds = 45;
    saved.DefaultCategory = 3;
    saved.Browser = "C:\\Browser\\browser.exe";
    saved.Init = 0;
    saved.ColumnSets[1] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    saved.CategoryNames[0] = "Email";
    saved.ColumnNames[11] = "E-mail address";
    saved.ColumnIcons[3] = 400;
    ASSERT_TRUE(SaveSettings(storage, saved, 0));
    EXPECT_EQ(storage.Text("Columns1"), "0,1,2,9,10,-1,-1,-1,-1,-1,-1,-1,");
    EXPECT_EQ(storage.Text("ColumnIcon3"), "400");
    EXPECT_EQ(storage.Number("EncryptFiles"), 0u);

    AppSettings loaded;
    std::int32_t encrypt = 1;
    LoadSettings(storage, loaded, encrypt);
    EXPECT_EQ(loaded.LastFile, saved.LastFile);
    EXPECT_EQ(loaded.Transparency, 200u);
    EXPECT_EQ(loaded.SysTrayIcon, 0u);
    EXPECT_EQ(loaded.ClearSeconds, 45u);
    EXPECT_EQ(loaded.DefaultCategory, 3u);
    EXPECT_EQ(loaded.Browser, saved.Browser);
    EXPECT_EQ(loaded.ColumnSets, saved.ColumnSets);
    EXPECT_EQ(loaded.CategoryNames, saved.CategoryNames);
    EXPECT_EQ(loaded.ColumnNames, saved.ColumnNames);
    EXPECT_EQ(loaded.ColumnIcons, saved.ColumnIcons);
    EXPECT_EQ(loaded.Init, 0u);
    EXPECT_EQ(encrypt, 0);
}

TEST(SettingsTest, EmptyLastFileIsNotWritten) {
    MemorySettings storage;
    storage.values["LastFile"] = std::string("C:\\kept.kv");
    ASSERT_TRUE(SaveSettings(storage, AppSettings(), 1));
    EXPECT_EQ(storage.Text("LastFile"), "C:\\kept.kv");
}

TEST(SettingsTest, SavingFailsWithoutAKey) {
    MemorySettings storage;
    storage.exists = false;
    storage.creatable = false;
    EXPECT_FALSE(SaveSettings(storage, AppSettings(), 1));
    EXPECT_TRUE(storage.values.empty());
}

TEST(SettingsTest, InitIsClearedByAnyStoredValue) {
    for (const MemorySettings::Value& stored : {MemorySettings::Value(1u), MemorySettings::Value(std::string("x"))}) {
        MemorySettings storage;
        storage.values["Init"] = stored;
        AppSettings settings;
        std::int32_t encrypt = 1;
        LoadSettings(storage, settings, encrypt);
        EXPECT_EQ(settings.Init, 0u);
    }
}

TEST(SettingsTest, DefaultCategoryOutsideOneToFourLoadsAsOne) {
    for (const std::uint32_t stored : {0u, 5u, 0xFFFFFFFFu}) {
        MemorySettings storage;
        storage.values["DefaultCategory"] = stored;
        AppSettings settings;
        settings.DefaultCategory = 4;
        std::int32_t encrypt = 1;
        LoadSettings(storage, settings, encrypt);
        EXPECT_EQ(settings.DefaultCategory, 1u) << stored;
    }
}

TEST(SettingsTest, OddValuesAreTakenAsMissing) {
    MemorySettings storage;
    storage.values["Transparency"] = 256u;
    storage.values["SysTrayIcon"] = 2u;
    storage.values["ClearSeconds"] = 100000u;
    storage.values["ExpirationDays"] = std::string("90");
    storage.values["Mask"] = 0u;
    storage.values["LastFile"] = std::string(260, 'x');  // no room for its zero
    storage.values["Browser"] = 7u;
    AppSettings settings;
    std::int32_t encrypt = 1;
    LoadSettings(storage, settings, encrypt);
    EXPECT_EQ(settings.Transparency, 255u);
    EXPECT_EQ(settings.SysTrayIcon, 1u);
    EXPECT_EQ(settings.ClearSeconds, 30u);
    EXPECT_EQ(settings.ExpirationDays, 0u);
    EXPECT_EQ(settings.Mask, 0u);
    EXPECT_EQ(settings.LastFile, "");
    EXPECT_EQ(settings.Browser, "");
}

TEST(SettingsTest, TransparencyHoldsToTheRangeOfTheSlider) {
    for (const auto& [stored, loaded] : {std::pair{0u, 255u}, {127u, 255u}, {128u, 128u}, {255u, 255u}}) {
        MemorySettings storage;
        storage.values["Transparency"] = stored;
        AppSettings settings;
        std::int32_t encrypt = 1;
        LoadSettings(storage, settings, encrypt);
        EXPECT_EQ(settings.Transparency, loaded) << stored;
    }
}

TEST(SettingsTest, ClearDelayOfZeroMeansThirtySeconds) {
    AppSettings settings;
    settings.ClearSeconds = 0;
    EXPECT_EQ(ClearDelaySeconds(settings), 30u);
    settings.ClearSeconds = 5;
    EXPECT_EQ(ClearDelaySeconds(settings), 5u);
}

TEST(ColumnSetsTest, ListWithoutAnyColumnResetsAllAndReadsOnlyLaterOnes) {
    MemorySettings storage;
    storage.values["Columns1"] = std::string("5,");
    storage.values["Columns2"] = std::string("12,13,");
    storage.values["Columns3"] = std::string("7,6,");
    storage.values["Columns4"] = std::string("11,");
    AppSettings settings;
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    LoadColumnSets(*store, settings);
    EXPECT_EQ(settings.ColumnSets[0], kDefaultCategoryOne);  // reset by list 2
    EXPECT_EQ(settings.ColumnSets[1], (ColumnList{0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(settings.ColumnSets[2], (ColumnList{7, 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(settings.ColumnSets[3], (ColumnList{11, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
}

TEST(ColumnSetsTest, ParsingKeepsTwelveNumbersAndEmptiesInvalidSlots) {
    EXPECT_EQ(ParseColumnList("0,1,2,3,4,5,6,7,8,9,10,11,0,1,"),
              (ColumnList{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(ParseColumnList("3,99,-7,4"), (ColumnList{3, -1, -1, 4, -1, -1, -1, -1, -1, -1, -1, -1}));
    // Text that is no number reads as 0, as a decimal conversion gives it.
    EXPECT_EQ(ParseColumnList("x,2,"), (ColumnList{0, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(ParseColumnList(""), (ColumnList{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(FormatColumnList(ParseColumnList("3,4,")), "3,4,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,");
}

TEST(ColumnSetsTest, ResettingOneCategory) {
    AppSettings settings;
    settings.ColumnSets[2].fill(-1);
    settings.ColumnSets[3].fill(-1);
    ResetColumnSet(settings, 3);
    ResetColumnSet(settings, 7);
    EXPECT_EQ(settings.ColumnSets[2], (ColumnList{0, 5, 6, 7, 8, 10, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(settings.ColumnSets[3][0], -1);
}

struct FakeFiles {
    std::set<std::string> present;
    FileExists Exists() const {
        return [this](const std::string& path) { return present.count(path) == 1; };
    }
};

TEST(RecentFilesTest, AddingMovesToTheFrontWithoutDuplicates) {
    MemorySettings storage;
    FakeFiles files;
    files.present = {"C:\\a.kv", "C:\\B.kv", "C:\\b.kv", "C:\\c.kv"};
    AppSettings settings;
    settings.RecentFiles = {"C:\\a.kv", "C:\\gone.kv", "C:\\B.kv", "C:\\c.kv"};
    AddRecentFile(storage, settings, "C:\\b.kv", files.Exists(), test::FixedLocale());
    EXPECT_EQ(settings.RecentFiles, (std::vector<std::string>{"C:\\b.kv", "C:\\a.kv", "C:\\c.kv"}));
    EXPECT_EQ(storage.Text("RecentFile1"), "C:\\b.kv");
    EXPECT_EQ(storage.Text("RecentFile3"), "C:\\c.kv");
    EXPECT_EQ(storage.Text("RecentFile4"), "<missing>");
    // The file opened last is the one the next start opens.
    EXPECT_EQ(settings.LastFile, "C:\\b.kv");
    EXPECT_EQ(storage.Text("LastFile"), "C:\\b.kv");
}

TEST(RecentFilesTest, KeepsFiveAndLoadsOnlyExistingFiles) {
    MemorySettings storage;
    FakeFiles files;
    AppSettings settings;
    for (int i = 1; i <= 7; ++i) {
        const std::string path = "C:\\" + std::to_string(i) + ".kv";
        files.present.insert(path);
        AddRecentFile(storage, settings, path, files.Exists(), test::FixedLocale());
    }
    EXPECT_EQ(storage.Text("RecentFile1"), "C:\\7.kv");
    EXPECT_EQ(storage.Text("RecentFile5"), "C:\\3.kv");
    EXPECT_EQ(storage.Text("RecentFile6"), "<missing>");
    files.present.erase("C:\\5.kv");
    AppSettings loaded;
    LoadRecentFiles(storage, loaded, files.Exists());
    EXPECT_EQ(loaded.RecentFiles, (std::vector<std::string>{"C:\\7.kv", "C:\\6.kv", "C:\\4.kv", "C:\\3.kv"}));
}

TEST(HotKeyTest, OnlyKeysWithControlOrAltAreRegistrable) {
    EXPECT_TRUE(IsRegistrableHotKey(2, 'P'));
    EXPECT_TRUE(IsRegistrableHotKey(4, 'P'));
    EXPECT_TRUE(IsRegistrableHotKey(7, 'P'));
    EXPECT_FALSE(IsRegistrableHotKey(0, 'P'));
    EXPECT_FALSE(IsRegistrableHotKey(1, 'P'));  // Shift alone
    EXPECT_FALSE(IsRegistrableHotKey(6, 0));
    // An out-of-range stored value reads as no modifier at all.
    MemorySettings storage;
    if (std::unique_ptr<SettingsStore> store = storage.OpenOrCreate()) {
        store->WriteNumber("HotKeyEnable", 1);
        store->WriteNumber("HotKeyVk", 'P');
        store->WriteNumber("HotKeyMod", 99);
    }
    const HotKey loaded = LoadHotKey(storage);
    EXPECT_FALSE(IsRegistrableHotKey(loaded.modifiers, loaded.virtualKey));
}

TEST(HotKeyTest, DisabledHotKeyReadsAsZeros) {
    MemorySettings storage;
    storage.values["HotKeyEnable"] = 0u;
    storage.values["HotKeyVk"] = 0x4Cu;
    storage.values["HotKeyMod"] = 3u;
    HotKey off = LoadHotKey(storage);
    EXPECT_FALSE(off.enabled);
    EXPECT_EQ(off.virtualKey, 0u);
    EXPECT_EQ(off.modifiers, 0u);
    SaveHotKey(storage, HotKey{true, 6, 0x4C});
    HotKey on = LoadHotKey(storage);
    EXPECT_TRUE(on.enabled);
    EXPECT_EQ(on.virtualKey, 0x4Cu);
    EXPECT_EQ(on.modifiers, 6u);
    storage.values["HotKeyMod"] = 99u;
    EXPECT_EQ(LoadHotKey(storage).modifiers, 0u);
}

}  // namespace
}  // namespace kv
