// Moving the settings from the key of an earlier publisher to the current one.
#pragma once

#include "settings/RegistrySettings.h"

namespace kv {

// Moves every value and subkey of the legacy key into the settings key and
// deletes the legacy key. Anything that cannot be moved stays where it was.
void MigrateLegacySettings(const SettingsLocation& location);

}  // namespace kv
