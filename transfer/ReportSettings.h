// The report dialog's stored choices: its heading, font size and the three
// printing options. The dialog writes them as soon as the user changes them.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsStore.h"

namespace kv {

constexpr std::int32_t kReportFontSizeUnset = -1;
constexpr int kReportDefaultFontSize = 8;

struct ReportSettings {
    std::string ReportHeading;
    std::int32_t ReportFontSize = kReportFontSizeUnset;  // points, 6 to 30 once printed
    std::uint32_t ReportBars = 0;
    std::uint32_t ReportExpiredOnly = 0;
    std::uint32_t ReportPageBreak = 1;
};

// The size the dialog shows: the stored one, or 8 when none is stored.
int ShownReportFontSize(const ReportSettings& settings);

// Values missing or not valid keep their defaults (all of them when the key is missing).
ReportSettings LoadReportSettings(SettingsStorage& storage);
void SaveReportSettings(SettingsStorage& storage, const ReportSettings& settings);

}  // namespace kv
