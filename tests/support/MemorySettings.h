// Settings kept in memory, standing in for the registry key.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>

#include "settings/SettingsStore.h"

namespace kv::test {

class MemorySettings : public SettingsStorage {
public:
    using Value = std::variant<std::uint32_t, std::string>;
    std::map<std::string, Value> values;
    bool exists = true;        // the key exists
    bool creatable = true;     // the key can be created
    int opened = 0;

    std::unique_ptr<SettingsStore> OpenExisting() override;
    std::unique_ptr<SettingsStore> OpenOrCreate() override;

    std::string Text(const std::string& name) const;
    std::uint32_t Number(const std::string& name) const;
};

}  // namespace kv::test
