// Settings kept in memory, standing in for the registry key.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "settings/SettingsStore.h"

namespace kv::test {

// A value that reads as neither a number nor a text: one of another type, a
// number of another size, or a text without its terminating zero.
struct OtherValue {
    std::vector<unsigned char> bytes;
    bool operator==(const OtherValue& other) const { return bytes == other.bytes; }
};

class MemorySettings : public SettingsStorage {
public:
    using Value = std::variant<std::uint32_t, std::string, OtherValue>;
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
