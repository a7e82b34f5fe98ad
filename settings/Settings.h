// Loading and saving the settings, the column lists, names and icons, the
// recent-file list and the hot key.
#pragma once

#include <functional>
#include <string>

#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"

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
// Puts `path` first in the recent-file list and makes it `LastFile`, and stores both.
void AddRecentFile(SettingsStorage& storage, AppSettings& settings, const std::string& path,
                   const FileExists& exists, const Locale& locale);

struct HotKey {
    bool enabled = false;
    std::uint32_t modifiers = 0;  // 1 Shift, 2 Control, 4 Alt
    std::uint32_t virtualKey = 0;
};

// The stored modifiers (1 Shift, 2 Control, 4 Alt, as the hot-key control
// gives them) as hot-key registration takes them (4 Shift, 2 Control, 1 Alt).
std::uint32_t RegistrationModifiers(std::uint32_t storedModifiers);
// Whether a stored hot key may be registered: it has a key and Control or
// Alt, since a bare or Shift-only key would be taken from every program.
bool IsRegistrableHotKey(std::uint32_t storedModifiers, std::uint32_t virtualKey);

HotKey LoadHotKey(SettingsStorage& storage);
void SaveHotKey(SettingsStorage& storage, const HotKey& hotKey);

// The name of a numbered value: "%s%u".
std::string NumberedName(const char* name, unsigned number);

// A stored flag (0 or 1) or text read into `target`; anything else leaves it as it was.
void ReadFlag(SettingsStore& store, const char* name, std::uint32_t& target);
void ReadText(SettingsStore& store, const std::string& name, std::size_t size, std::string& target);

}  // namespace kv
