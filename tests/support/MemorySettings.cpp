#include "tests/support/MemorySettings.h"

namespace kv::test {
namespace {

class MemoryStore : public SettingsStore {
public:
    explicit MemoryStore(MemorySettings& owner) : owner_(owner) {}

    std::optional<std::uint32_t> ReadNumber(const std::string& name) override {
        const auto found = owner_.values.find(name);
        if (found == owner_.values.end()) return std::nullopt;
        if (const auto* number = std::get_if<std::uint32_t>(&found->second)) return *number;
        return std::nullopt;
    }
    std::optional<std::string> ReadText(const std::string& name, std::size_t bufferSize) override {
        const auto found = owner_.values.find(name);
        if (found == owner_.values.end()) return std::nullopt;
        const auto* text = std::get_if<std::string>(&found->second);
        if (text == nullptr || text->size() + 1 > bufferSize) return std::nullopt;
        return *text;
    }
    bool Has(const std::string& name) override { return owner_.values.count(name) == 1; }
    void WriteNumber(const std::string& name, std::uint32_t value) override { owner_.values[name] = value; }
    void WriteText(const std::string& name, const std::string& text) override { owner_.values[name] = text; }

private:
    MemorySettings& owner_;
};

}  // namespace

std::unique_ptr<SettingsStore> MemorySettings::OpenExisting() {
    if (!exists) return nullptr;
    ++opened;
    return std::make_unique<MemoryStore>(*this);
}

std::unique_ptr<SettingsStore> MemorySettings::OpenOrCreate() {
    if (!exists && !creatable) return nullptr;
    exists = true;
    ++opened;
    return std::make_unique<MemoryStore>(*this);
}

std::string MemorySettings::Text(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end()) return "<missing>";
    const auto* text = std::get_if<std::string>(&found->second);
    return text != nullptr ? *text : "<number>";
}

std::uint32_t MemorySettings::Number(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end()) return 0xDEADBEEF;
    const auto* number = std::get_if<std::uint32_t>(&found->second);
    return number != nullptr ? *number : 0xDEADBEEF;
}

}  // namespace kv::test
