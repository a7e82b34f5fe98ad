// The settings of the program as the application object holds them, with
// their defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

constexpr int kColumnSlots = 12;      // slots of one category's column list
constexpr int kCategoryLists = 5;     // four categories and a fixed fifth list
constexpr int kNamedColumns = 12;     // columns 0 to 11 have user-given names and icons
constexpr int kCategoryNameSlots = 5;
constexpr std::size_t kMaxRecentFiles = 5;

using ColumnList = std::array<int, kColumnSlots>;

struct AppSettings {
    std::string LastFile;
    std::uint32_t SearchOptions = 3;
    std::uint32_t Transparency = 255;
    std::uint32_t StartWithWindows = 1;
    std::uint32_t SysTrayIcon = 1;
    std::uint32_t ExpirationDays = 0;
    std::uint32_t ShowToolbar = 1;
    std::uint32_t SendTab = 1;
    std::uint32_t ClearClipboard = 0;
    std::uint32_t ClearSeconds = 30;
    std::uint32_t Mask = 1;
    std::uint32_t AutosizeCol = 0;
    std::uint32_t PinTrayDlg = 0;
    std::uint32_t Init = 1;
    std::uint32_t DoubleClick = 0;
    std::uint32_t DefaultCategory = 1;
    std::uint32_t SkinDialog = 1;
    std::uint32_t AutoComplete = 1;
    std::uint32_t CheckScreenSaver = 0;
    std::uint32_t IEMenu = 1;
    std::uint32_t Sounds = 1;
    std::string Browser;
    std::uint32_t UseIE = 1;
    std::uint32_t ReuseWindow = 0;
    std::uint32_t AddLink = 1;
    std::uint32_t MaximizeBrowser = 0;
    std::uint32_t CheckFormPasswords = 1;
    std::string ReportColumns = "1,1,1,1,1,1,1";

    // Column lists of the categories 1 to 4 in slots 0 to 3, and the fixed fifth list.
    std::array<ColumnList, kCategoryLists> ColumnSets{};
    std::array<std::string, kCategoryNameSlots> CategoryNames;
    std::array<std::string, kNamedColumns> ColumnNames;
    std::array<int, kNamedColumns> ColumnIcons{};

    // Most recent first.
    std::vector<std::string> RecentFiles;

    AppSettings();
};

// The delay of clipboard clearing in seconds; a stored 0 means 30.
std::uint32_t ClearDelaySeconds(const AppSettings& settings);

}  // namespace kv
