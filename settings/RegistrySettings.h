// The settings key in the registry of the current user.
#pragma once

#include <windows.h>

#include <string>

#include "settings/SettingsStore.h"

namespace kv {

// Where the settings live; tests point it at a key of their own.
struct SettingsLocation {
    HKEY root = HKEY_CURRENT_USER;
    std::string key = "Software\\Corvale Software\\Kelvandor";
    std::string legacyKey = "Software\\Quillanstone Software\\Kelvandor";
};

// Values of a stored type or size other than the setting's own read as missing.
class RegistrySettings : public SettingsStorage {
public:
    explicit RegistrySettings(SettingsLocation location) : location_(std::move(location)) {}

    std::unique_ptr<SettingsStore> OpenExisting() override;
    std::unique_ptr<SettingsStore> OpenOrCreate() override;

    const SettingsLocation& location() const { return location_; }

private:
    SettingsLocation location_;
};

}  // namespace kv
