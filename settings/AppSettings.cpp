#include "settings/AppSettings.h"

#include "settings/Settings.h"

namespace kv {

AppSettings::AppSettings() {
    ResetColumnSets(*this);
    ResetColumnNames(*this);
    ResetCategoryNames(*this);
}

std::uint32_t ClearDelaySeconds(const AppSettings& settings) {
    return settings.ClearSeconds == 0 ? 30 : settings.ClearSeconds;
}

}  // namespace kv
