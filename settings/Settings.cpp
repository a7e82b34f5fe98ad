#include "settings/Settings.h"

#include <cstdlib>

#include "db/Record.h"
#include "platform/Locale.h"

namespace kv {
namespace {

// A numeric setting with the values it may take; a stored value outside them
// is taken as missing, so the default stays.
struct NumberSetting {
    const char* name;
    std::uint32_t AppSettings::*member;
    std::uint32_t max;
    std::uint32_t min = 0;
};

constexpr std::uint32_t kAny = 0xFFFFFFFFu;

// In the order they are read; DefaultCategory is read apart (any other number becomes 1).
const NumberSetting kNumbersBeforeCategory[] = {
    {"SearchOptions", &AppSettings::SearchOptions, kAny},
    // Below 128 the tray dialog would be all but invisible.
    {"Transparency", &AppSettings::Transparency, 255, 128},
    {"StartWithWindows", &AppSettings::StartWithWindows, 1},
    {"SysTrayIcon", &AppSettings::SysTrayIcon, 1},
    {"ExpirationDays", &AppSettings::ExpirationDays, 9999},
    {"ShowToolbar", &AppSettings::ShowToolbar, 1},
};
const NumberSetting kNumbersAfterEncrypt[] = {
    {"SendTab", &AppSettings::SendTab, 1},
    {"ClearClipboard", &AppSettings::ClearClipboard, 1},
    {"ClearSeconds", &AppSettings::ClearSeconds, 300},
    {"Mask", &AppSettings::Mask, 1},
    {"AutosizeCol", &AppSettings::AutosizeCol, 1},
    {"PinTrayDlg", &AppSettings::PinTrayDlg, 1},
};
const NumberSetting kNumbersAfterInit[] = {
    {"DoubleClick", &AppSettings::DoubleClick, 1},
    {"SkinDialog", &AppSettings::SkinDialog, 1},
    {"AutoComplete", &AppSettings::AutoComplete, 1},
    {"Sounds", &AppSettings::Sounds, 1},
};
const NumberSetting kNumbersAfterScreenSaver[] = {
    {"IEMenu", &AppSettings::IEMenu, 1},
    {"UseIE", &AppSettings::UseIE, 1},
    {"ReuseWindow", &AppSettings::ReuseWindow, 1},
    {"AddLink", &AppSettings::AddLink, 1},
    {"MaximizeBrowser", &AppSettings::MaximizeBrowser, 1},
    {"CheckFormPasswords", &AppSettings::CheckFormPasswords, 1},
};

template <std::size_t N>
void ReadNumbers(SettingsStore& store, AppSettings& settings, const NumberSetting (&table)[N]) {
    for (const NumberSetting& setting : table) {
        const std::optional<std::uint32_t> value = store.ReadNumber(setting.name);
        if (value && *value >= setting.min && *value <= setting.max) settings.*setting.member = *value;
    }
}

template <std::size_t N>
void WriteNumbers(SettingsStore& store, const AppSettings& settings, const NumberSetting (&table)[N]) {
    for (const NumberSetting& setting : table) store.WriteNumber(setting.name, settings.*setting.member);
}

const ColumnList kDefaultLists[kCategoryLists] = {
    {0, 1, 2, 9, 10, -1, -1, -1, -1, -1, -1, -1},
    {0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {0, 5, 6, 7, 8, 10, -1, -1, -1, -1, -1, -1},
    {3, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    {1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
};

const int kDefaultIcons[kNamedColumns] = {185, 183, 184, 256, 257, 258, 259, 260, 261, 214, 215, 0};

bool HoldsAColumn(const ColumnList& list) {
    for (const int column : list) {
        if (column >= 0 && column < kNamedColumns) return true;
    }
    return false;
}

}  // namespace

std::string NumberedName(const char* name, unsigned number) { return name + std::to_string(number); }

void ReadFlag(SettingsStore& store, const char* name, std::uint32_t& target) {
    const std::optional<std::uint32_t> value = store.ReadNumber(name);
    if (value && *value <= 1) target = *value;
}

void ReadText(SettingsStore& store, const std::string& name, std::size_t size, std::string& target) {
    if (std::optional<std::string> text = store.ReadText(name, size)) target = std::move(*text);
}

void LoadSettings(SettingsStorage& storage, AppSettings& settings, std::int32_t& encryptFiles) {
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    if (!store) return;
    ReadText(*store, "LastFile", kPathTextSize, settings.LastFile);
    ReadNumbers(*store, settings, kNumbersBeforeCategory);
    std::uint32_t encrypt = encryptFiles != 0 ? 1 : 0;
    ReadFlag(*store, "EncryptFiles", encrypt);
    encryptFiles = static_cast<std::int32_t>(encrypt);
    ReadNumbers(*store, settings, kNumbersAfterEncrypt);
    // The first-run marker counts as cleared once the value exists at all.
    if (store->Has("Init")) settings.Init = 0;
    ReadNumbers(*store, settings, kNumbersAfterInit);
    if (std::optional<std::uint32_t> category = store->ReadNumber("DefaultCategory")) {
        settings.DefaultCategory = *category;
    }
    ReadFlag(*store, "CheckScreenSaver", settings.CheckScreenSaver);
    if (settings.DefaultCategory < 1 || settings.DefaultCategory > 4) settings.DefaultCategory = 1;
    ReadNumbers(*store, settings, kNumbersAfterScreenSaver);
    ReadText(*store, "ReportColumns", kPathTextSize, settings.ReportColumns);
    ReadText(*store, "Browser", kPathTextSize, settings.Browser);
    LoadColumnSets(*store, settings);
    LoadColumnNames(*store, settings);
    LoadCategoryNames(*store, settings);
}

bool SaveSettings(SettingsStorage& storage, const AppSettings& settings, std::int32_t encryptFiles) {
    std::unique_ptr<SettingsStore> store = storage.OpenOrCreate();
    if (!store) return false;
    if (!settings.LastFile.empty()) store->WriteText("LastFile", settings.LastFile);
    WriteNumbers(*store, settings, kNumbersBeforeCategory);
    store->WriteNumber("EncryptFiles", static_cast<std::uint32_t>(encryptFiles));
    WriteNumbers(*store, settings, kNumbersAfterEncrypt);
    store->WriteNumber("Init", settings.Init);
    WriteNumbers(*store, settings, kNumbersAfterInit);
    store->WriteNumber("DefaultCategory", settings.DefaultCategory);
    store->WriteNumber("CheckScreenSaver", settings.CheckScreenSaver);
    WriteNumbers(*store, settings, kNumbersAfterScreenSaver);
    store->WriteText("ReportColumns", settings.ReportColumns);
    store->WriteText("Browser", settings.Browser);
    SaveColumnSets(*store, settings);
    SaveColumnNames(*store, settings);
    SaveCategoryNames(*store, settings);
    return true;
}

void ResetColumnSets(AppSettings& settings) {
    for (int i = 0; i < kCategoryLists; ++i) settings.ColumnSets[static_cast<std::size_t>(i)] = kDefaultLists[i];
}

void ResetColumnSet(AppSettings& settings, int category) {
    if (category < 1 || category > 4) return;
    settings.ColumnSets[static_cast<std::size_t>(category - 1)] = kDefaultLists[category - 1];
}

void ResetColumnNames(AppSettings& settings) {
    for (int i = 0; i < kNamedColumns; ++i) {
        settings.ColumnNames[static_cast<std::size_t>(i)] = DefaultFieldName(i);
        settings.ColumnIcons[static_cast<std::size_t>(i)] = kDefaultIcons[i];
    }
}

void ResetCategoryNames(AppSettings& settings) {
    for (int i = 0; i < 4; ++i) settings.CategoryNames[static_cast<std::size_t>(i)] = DefaultCategoryName(i + 1);
    settings.CategoryNames[4].clear();
}

std::string FormatColumnList(const ColumnList& list) {
    std::string text;
    for (const int column : list) text += std::to_string(column) + ",";
    return text;
}

ColumnList ParseColumnList(const std::string& text) {
    ColumnList list;
    list.fill(-1);
    std::size_t taken = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (taken < list.size()) {
            // The number at the position as atoi reads it; a slot that names
            // no column stays empty.
            const long value = std::strtol(text.c_str() + pos, nullptr, 10);
            list[taken++] = value >= 0 && value < kNamedColumns ? static_cast<int>(value) : -1;
        }
        const std::size_t comma = text.find(',', pos);
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return list;
}

void LoadColumnSets(SettingsStore& store, AppSettings& settings) {
    for (unsigned category = 1; category <= 4; ++category) {
        ColumnList& list = settings.ColumnSets[category - 1];
        list.fill(-1);
        if (std::optional<std::string> text = store.ReadText(NumberedName("Columns", category), kNameTextSize)) {
            list = ParseColumnList(*text);
        }
        if (!HoldsAColumn(list)) ResetColumnSets(settings);
    }
}

void SaveColumnSets(SettingsStore& store, const AppSettings& settings) {
    for (unsigned category = 1; category <= 4; ++category) {
        store.WriteText(NumberedName("Columns", category), FormatColumnList(settings.ColumnSets[category - 1]));
    }
}

void LoadColumnNames(SettingsStore& store, AppSettings& settings) {
    ResetColumnNames(settings);
    for (unsigned i = 0; i < kNamedColumns; ++i) {
        ReadText(store, NumberedName("ColumnName", i), kNameTextSize, settings.ColumnNames[i]);
        if (std::optional<std::string> icon = store.ReadText(NumberedName("ColumnIcon", i), kNameTextSize)) {
            settings.ColumnIcons[i] = std::atoi(icon->c_str());
        }
    }
}

void SaveColumnNames(SettingsStore& store, const AppSettings& settings) {
    for (unsigned i = 0; i < kNamedColumns; ++i) {
        store.WriteText(NumberedName("ColumnName", i), settings.ColumnNames[i]);
        store.WriteText(NumberedName("ColumnIcon", i), std::to_string(static_cast<unsigned>(settings.ColumnIcons[i])));
    }
}

void LoadCategoryNames(SettingsStore& store, AppSettings& settings) {
    ResetCategoryNames(settings);
    for (unsigned i = 0; i < kCategoryNameSlots; ++i) {
        ReadText(store, NumberedName("CategoryName", i), kNameTextSize, settings.CategoryNames[i]);
    }
}

void SaveCategoryNames(SettingsStore& store, const AppSettings& settings) {
    for (unsigned i = 0; i < kCategoryNameSlots; ++i) {
        store.WriteText(NumberedName("CategoryName", i), settings.CategoryNames[i]);
    }
}

void SaveCategoryNames(SettingsStorage& storage, const AppSettings& settings) {
    if (std::unique_ptr<SettingsStore> store = storage.OpenOrCreate()) SaveCategoryNames(*store, settings);
}

void LoadRecentFiles(SettingsStorage& storage, AppSettings& settings, const FileExists& exists) {
    settings.RecentFiles.clear();
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    if (!store) return;
    for (unsigned i = 1; i <= kMaxRecentFiles; ++i) {
        std::optional<std::string> path = store->ReadText(NumberedName("RecentFile", i), kPathTextSize);
        if (path && !path->empty() && exists(*path)) settings.RecentFiles.push_back(std::move(*path));
    }
}

void AddRecentFile(SettingsStorage& storage, AppSettings& settings, const std::string& path,
                   const FileExists& exists, const Locale& locale) {
    // The file opened last is also the one the next start opens.
    settings.LastFile = path;
    std::vector<std::string> entries = settings.RecentFiles;
    entries.insert(entries.begin(), path);
    std::vector<std::string> rebuilt;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].empty() || !exists(entries[i])) continue;
        rebuilt.push_back(entries[i]);
        for (std::size_t later = i + 1; later < entries.size(); ++later) {
            if (locale.CompareNoCase(entries[later], entries[i]) == 0) entries[later].clear();
        }
    }
    settings.RecentFiles = std::move(rebuilt);
    std::unique_ptr<SettingsStore> store = storage.OpenOrCreate();
    if (!store) return;
    store->WriteText("LastFile", path);
    for (std::size_t i = 0; i < settings.RecentFiles.size() && i < kMaxRecentFiles; ++i) {
        store->WriteText(NumberedName("RecentFile", static_cast<unsigned>(i + 1)), settings.RecentFiles[i]);
    }
}

std::uint32_t RegistrationModifiers(std::uint32_t storedModifiers) {
    constexpr std::uint32_t kShift = 1, kControl = 2, kAlt = 4;
    constexpr std::uint32_t kRegisterAlt = 1, kRegisterControl = 2, kRegisterShift = 4;
    return ((storedModifiers & kShift) != 0 ? kRegisterShift : 0) |
           ((storedModifiers & kControl) != 0 ? kRegisterControl : 0) | ((storedModifiers & kAlt) != 0 ? kRegisterAlt : 0);
}

bool IsRegistrableHotKey(std::uint32_t storedModifiers, std::uint32_t virtualKey) {
    constexpr std::uint32_t kControl = 2, kAlt = 4;
    return virtualKey != 0 && (storedModifiers & (kControl | kAlt)) != 0;
}

HotKey LoadHotKey(SettingsStorage& storage) {
    HotKey hotKey;
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    if (!store) return hotKey;
    const std::optional<std::uint32_t> enabled = store->ReadNumber("HotKeyEnable");
    if (!enabled || *enabled == 0) return hotKey;
    const std::optional<std::uint32_t> key = store->ReadNumber("HotKeyVk");
    const std::optional<std::uint32_t> modifiers = store->ReadNumber("HotKeyMod");
    hotKey.enabled = true;
    hotKey.virtualKey = key && *key <= 0xFF ? *key : 0;
    hotKey.modifiers = modifiers && *modifiers <= 7 ? *modifiers : 0;
    return hotKey;
}

void SaveHotKey(SettingsStorage& storage, const HotKey& hotKey) {
    std::unique_ptr<SettingsStore> store = storage.OpenOrCreate();
    if (!store) return;
    store->WriteNumber("HotKeyEnable", hotKey.enabled ? 1 : 0);
    store->WriteNumber("HotKeyVk", hotKey.virtualKey);
    store->WriteNumber("HotKeyMod", hotKey.modifiers);
}

}  // namespace kv
