#include "transfer/ReportSettings.h"

#include "settings/Settings.h"
#include "transfer/ReportLayout.h"

namespace kv {

int ShownReportFontSize(const ReportSettings& settings) {
    return settings.ReportFontSize == kReportFontSizeUnset ? kReportDefaultFontSize : settings.ReportFontSize;
}

ReportSettings LoadReportSettings(SettingsStorage& storage) {
    ReportSettings settings;
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    if (!store) return settings;
    ReadText(*store, "ReportHeading", kNameTextSize, settings.ReportHeading);
    if (const std::optional<std::uint32_t> size = store->ReadNumber("ReportFontSize")) {
        const auto points = static_cast<std::int32_t>(*size);
        if (points == kReportFontSizeUnset || ClampReportFontSize(points) == points) settings.ReportFontSize = points;
    }
    ReadFlag(*store, "ReportBars", settings.ReportBars);
    ReadFlag(*store, "ReportExpiredOnly", settings.ReportExpiredOnly);
    ReadFlag(*store, "ReportPageBreak", settings.ReportPageBreak);
    return settings;
}

void SaveReportSettings(SettingsStorage& storage, const ReportSettings& settings) {
    std::unique_ptr<SettingsStore> store = storage.OpenOrCreate();
    if (!store) return;
    store->WriteText("ReportHeading", settings.ReportHeading);
    store->WriteNumber("ReportFontSize", static_cast<std::uint32_t>(settings.ReportFontSize));
    store->WriteNumber("ReportBars", settings.ReportBars);
    store->WriteNumber("ReportExpiredOnly", settings.ReportExpiredOnly);
    store->WriteNumber("ReportPageBreak", settings.ReportPageBreak);
}

}  // namespace kv
