// Loading and saving the settings, the column lists, names and icons, the
// recent-file list and the hot key.
#pragma once

#include <functional>
#include <string>

#include "app/AppSettings.h"
#include "app/SettingsStore.h"

namespace kv {

class Locale;

// Buffer sizes of the stored texts, their terminating zero included.
constexpr std::size_t kPathTextSize = 260;
constexpr std::size_t kNameTextSize = 256;

// Reads every setting that is stored and valid; `encryptFiles` is the
// database's protection flag, which is also a setting. A missing key leaves
// every default.
void LoadSettings(SettingsStorage& storage, AppSettings& settings, std::int32_t& encryptFiles);

// Writes every setting; false when the key cannot be created (nothing written).
bool SaveSettings(SettingsStorage& storage, const AppSettings& settings, std::int32_t encryptFiles);

void ResetColumnSets(AppSettings& settings);
// Resets the list of one category 1 to 4; other numbers are ignored.
void ResetColumnSet(AppSettings& settings, int category);
void ResetColumnNames(AppSettings& settings);
void ResetCategoryNames(AppSettings& settings);

void LoadColumnSets(SettingsStore& store, AppSettings& settings);
void SaveColumnSets(SettingsStore& store, const AppSettings& settings);
void LoadColumnNames(SettingsStore& store, AppSettings& settings);
void SaveColumnNames(SettingsStore& store, const AppSettings& settings);
void LoadCategoryNames(SettingsStore& store, AppSettings& settings);
void SaveCategoryNames(SettingsStore& store, const AppSettings& settings);
// Opens the key itself; does nothing when it cannot be created.
void SaveCategoryNames(SettingsStorage& storage, const AppSettings& settings);

// The column list text "a,b,...,l," of one list, and its parse into 12 slots.
std::string FormatColumnList(const ColumnList& list);
ColumnList ParseColumnList(const std::string& text);

using FileExists = std::function<bool(const std::string& path)>;

void LoadRecentFiles(SettingsStorage& storage, AppSettings& settings, const FileExists& exists);
void AddRecentFile(SettingsStorage& storage, AppSettings& settings, const std::string& path,
                   const FileExists& exists, const Locale& locale);

struct HotKey {
    bool enabled = false;
    std::uint32_t modifiers = 0;  // 1 Shift, 2 Control, 4 Alt
    std::uint32_t virtualKey = 0;
};

HotKey LoadHotKey(SettingsStorage& storage);
void SaveHotKey(SettingsStorage& storage, const HotKey& hotKey);

// The name of a numbered value: "%s%u".
std::string NumberedName(const char* name, unsigned number);

}  // namespace kv
