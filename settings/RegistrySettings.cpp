#include "settings/RegistrySettings.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Win32Handles.h"

namespace kv {
namespace {

class RegistryStore : public SettingsStore {
public:
    explicit RegistryStore(RegistryKey key) : key_(std::move(key)) {}

    std::optional<std::uint32_t> ReadNumber(const std::string& name) override {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value) {
            return std::nullopt;
        }
        return value;
    }

    std::optional<std::string> ReadText(const std::string& name, std::size_t bufferSize) override {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_SZ || size == 0 || size > bufferSize) {
            return std::nullopt;
        }
        std::vector<char> data(size, '\0');
        if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ || size == 0 || size > data.size()) {
            return std::nullopt;
        }
        // A text must end inside its data; the text is what comes before its first zero.
        const auto zero = std::find(data.begin(), data.begin() + size, '\0');
        if (zero == data.begin() + size) return std::nullopt;
        return std::string(data.begin(), zero);
    }

    bool Has(const std::string& name) override {
        return RegQueryValueExA(key_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    void WriteNumber(const std::string& name, std::uint32_t value) override {
        const DWORD data = value;
        RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }

    void WriteText(const std::string& name, const std::string& text) override {
        RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }

private:
    RegistryKey key_;
};

}  // namespace

std::unique_ptr<SettingsStore> RegistrySettings::OpenExisting() {
    RegistryKey key;
    if (RegOpenKeyExA(location_.root, location_.key.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryStore>(std::move(key));
}

std::unique_ptr<SettingsStore> RegistrySettings::OpenOrCreate() {
    RegistryKey key;
    if (RegCreateKeyExA(location_.root, location_.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<RegistryStore>(std::move(key));
}

}  // namespace kv
