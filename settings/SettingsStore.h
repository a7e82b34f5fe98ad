// Where the settings are kept: the values of one key, read and written by
// name. The program keeps them in the registry; tests keep them in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kv {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A 4-byte number; nothing when the value is missing or is not one.
    virtual std::optional<std::uint32_t> ReadNumber(const std::string& name) = 0;
    // A text that fits, with its terminating zero, in `bufferSize` bytes;
    // nothing when the value is missing, too long, unterminated or not a text.
    virtual std::optional<std::string> ReadText(const std::string& name, std::size_t bufferSize) = 0;
    // Whether a value of that name exists at all, whatever it holds.
    virtual bool Has(const std::string& name) = 0;

    virtual void WriteNumber(const std::string& name, std::uint32_t value) = 0;
    virtual void WriteText(const std::string& name, const std::string& text) = 0;
};

// Opens the settings key.
class SettingsStorage {
public:
    virtual ~SettingsStorage() = default;
    // The key if it exists, else null.
    virtual std::unique_ptr<SettingsStore> OpenExisting() = 0;
    // The key, created when missing; null when it cannot be created.
    virtual std::unique_ptr<SettingsStore> OpenOrCreate() = 0;
};

}  // namespace kv
