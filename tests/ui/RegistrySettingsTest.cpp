// The settings in a real registry key: odd stored values, the legacy key.
#include <gtest/gtest.h>

#include <vector>

#include "settings/LegacyMigration.h"
#include "settings/RegistrySettings.h"
#include "settings/Settings.h"

namespace kv {
namespace {

// A key of this test's own, removed again afterwards.
class RegistrySettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        location_.key = "Software\\Corvale Software\\Kelvandor Tests\\Settings";
        location_.legacyKey = "Software\\Corvale Software\\Kelvandor Tests\\Legacy";
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Corvale Software\\Kelvandor Tests");
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Corvale Software\\Kelvandor Tests"); }

    HKEY Key(const std::string& path) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }
    static void SetRaw(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    SettingsLocation location_;
};

TEST_F(RegistrySettingsTest, SaveAndLoadThroughTheRegistry) {
    RegistrySettings storage(location_);
    AppSettings saved;
    saved.LastFile = "C:\\Data\\Secrets.kv";
    saved.ClearSeconds = 12;
    saved.CategoryNames[0] = "Email";
    ASSERT_TRUE(SaveSettings(storage, saved, 0));
    AppSettings loaded;
    std::int32_t encrypt = 1;
    LoadSettings(storage, loaded, encrypt);
    EXPECT_EQ(loaded.LastFile, saved.LastFile);
    EXPECT_EQ(loaded.ClearSeconds, 12u);
    EXPECT_EQ(loaded.CategoryNames[0], "Email");
    EXPECT_EQ(loaded.Init, 0u);  // the marker exists now, whatever it holds
    EXPECT_EQ(encrypt, 0);
}

TEST_F(RegistrySettingsTest, ValuesOfTheWrongTypeOrSizeReadAsMissing) {
    HKEY key = Key(location_.key);
    const char text[] = "90";
    SetRaw(key, "ExpirationDays", REG_SZ, text, sizeof text);
    const WORD shortNumber = 1;
    SetRaw(key, "Mask", REG_DWORD, &shortNumber, sizeof shortNumber);
    const unsigned long long longNumber = 5;
    SetRaw(key, "ClearSeconds", REG_QWORD, &longNumber, sizeof longNumber);
    const DWORD number = 7;
    SetRaw(key, "LastFile", REG_DWORD, &number, sizeof number);
    const std::string tooLong(300, 'x');
    SetRaw(key, "Browser", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
    const char binary[] = {'a', 'b', 'c', 0};
    SetRaw(key, "CategoryName1", REG_BINARY, binary, sizeof binary);
    const char unterminated[] = {'a', 'b', 'c'};
    SetRaw(key, "ColumnName2", REG_BINARY, unterminated, sizeof unterminated);
    RegCloseKey(key);

    RegistrySettings storage(location_);
    AppSettings settings;
    settings.Mask = 0;
    std::int32_t encrypt = 1;
    LoadSettings(storage, settings, encrypt);
    EXPECT_EQ(settings.ExpirationDays, 0u);
    EXPECT_EQ(settings.Mask, 0u);
    EXPECT_EQ(settings.ClearSeconds, 30u);
    EXPECT_EQ(settings.LastFile, "");
    EXPECT_EQ(settings.Browser, "");
    EXPECT_EQ(settings.CategoryNames[1], "Internet");
    EXPECT_EQ(settings.ColumnNames[2], "Password");
}

TEST_F(RegistrySettingsTest, TextWithoutItsZeroReadsAsMissing) {
    HKEY key = Key(location_.key);
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    ASSERT_EQ(RegSetValueExW(key, L"ReportColumns", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                             sizeof unterminated),
              ERROR_SUCCESS);
    RegCloseKey(key);
    std::unique_ptr<SettingsStore> store = RegistrySettings(location_).OpenExisting();
    ASSERT_TRUE(store);
    const std::optional<std::string> text = store->ReadText("ReportColumns", kPathTextSize);
    // The system may add the zero when it converts the text; what is returned
    // never runs past the stored characters.
    if (text) {
        EXPECT_EQ(*text, "abc");
    }
    EXPECT_FALSE(store->ReadText("Missing", kPathTextSize).has_value());
    EXPECT_TRUE(store->Has("ReportColumns"));
}

TEST_F(RegistrySettingsTest, LegacyKeyIsMovedWholeAndDeleted) {
    HKEY legacy = Key(location_.legacyKey);
    const DWORD tray = 0;
    SetRaw(legacy, "SysTrayIcon", REG_DWORD, &tray, sizeof tray);
    const char file[] = "C:\\old.kv";
    SetRaw(legacy, "LastFile", REG_SZ, file, sizeof file);
    const std::vector<BYTE> big(20000, 0xAB);  // larger than any fixed buffer
    SetRaw(legacy, "Blob", REG_BINARY, big.data(), static_cast<DWORD>(big.size()));
    HKEY sub = Key(location_.legacyKey + "\\Sub\\Deeper");
    SetRaw(sub, "Inner", REG_SZ, file, sizeof file);
    RegCloseKey(sub);
    RegCloseKey(legacy);

    MigrateLegacySettings(location_);

    HKEY gone = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, location_.legacyKey.c_str(), 0, KEY_READ, &gone), ERROR_SUCCESS);
    RegistrySettings storage(location_);
    AppSettings settings;
    std::int32_t encrypt = 1;
    LoadSettings(storage, settings, encrypt);
    EXPECT_EQ(settings.SysTrayIcon, 0u);
    EXPECT_EQ(settings.LastFile, "C:\\old.kv");
    HKEY moved = Key(location_.key);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(moved, "Blob", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 20000u);
    RegCloseKey(moved);
    HKEY inner = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (location_.key + "\\Sub\\Deeper").c_str(), 0, KEY_READ, &inner),
              ERROR_SUCCESS);
    if (inner != nullptr) RegCloseKey(inner);
}

TEST_F(RegistrySettingsTest, WithoutALegacyKeyNothingHappens) {
    MigrateLegacySettings(location_);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, location_.key.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
}  // namespace kv
