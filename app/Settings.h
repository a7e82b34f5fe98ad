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

// A radio group of the password generator, stored as the identifier of its
// checked button: the identifiers run from `first` to `last`.
struct StoredRadioGroup {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t fallback;
};
constexpr StoredRadioGroup kGeneratorTypeGroup{1054, 1055, 1054};     // Secure, Simple
constexpr StoredRadioGroup kGeneratorCaseGroup{1038, 1040, 1040};     // Upper, Lower, Mixed
constexpr StoredRadioGroup kGeneratorInsertGroup{1045, 1048, 1048};   // Prefix, Middle, Suffix, Disable
constexpr StoredRadioGroup kGeneratorWordsGroup{1056, 1059, 1056};    // the four word options
constexpr std::size_t kGeneratorTextSize = 512;

// The password generator's options, read when its dialog opens and written
// when it closes with OK. A radio group of 0 (no button checked) is not written.
struct GeneratorSettings {
    std::string PasswordLength = "16";
    std::string SpecialChars = "_{}[]()!@#$&*+-=<>`~";
    std::uint32_t UseLetters = 1;
    std::uint32_t UseNumbers = 0;
    std::uint32_t UseSpecial = 0;
    std::uint32_t InsertMode = kGeneratorInsertGroup.fallback;
    std::uint32_t UseCase = kGeneratorCaseGroup.fallback;
    std::string InsertText;
    std::uint32_t WordOptions = kGeneratorWordsGroup.fallback;
    std::uint32_t Secure = kGeneratorTypeGroup.fallback;
};

// Every value missing, unreadable or outside its group keeps its default
// (all of them when the key is missing).
GeneratorSettings LoadGeneratorSettings(SettingsStorage& storage);
void SaveGeneratorSettings(SettingsStorage& storage, const GeneratorSettings& settings);

// The name of a numbered value: "%s%u".
std::string NumberedName(const char* name, unsigned number);

}  // namespace kv
