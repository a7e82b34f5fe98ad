// libFuzzer target: the settings read from a key holding anything. The input
// decodes into named values of random kinds and sizes; the app settings, the
// recent files, the hot key and the generator's settings are then loaded
// through their normal load functions. Every value loaded lies within its
// range, and what is loaded saves and loads again to the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "generator/GeneratorSettings.h"
#include "settings/Settings.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemorySettings.h"

namespace {

using kv::fuzz::Check;
using kv::test::MemorySettings;

struct Loaded {
    kv::AppSettings app;
    std::int32_t encryptFiles = 0;
    kv::HotKey hotKey;
    kv::GeneratorSettings generator;
};

Loaded Load(MemorySettings& storage, std::int32_t encryptFiles) {
    Loaded loaded;
    loaded.encryptFiles = encryptFiles;
    kv::LoadSettings(storage, loaded.app, loaded.encryptFiles);
    kv::LoadRecentFiles(storage, loaded.app, [](const std::string&) { return true; });
    loaded.hotKey = kv::LoadHotKey(storage);
    loaded.generator = kv::LoadGeneratorSettings(storage);
    return loaded;
}

MemorySettings Save(const Loaded& loaded) {
    MemorySettings storage;
    storage.exists = false;
    kv::SaveSettings(storage, loaded.app, loaded.encryptFiles);
    kv::SaveHotKey(storage, loaded.hotKey);
    kv::SaveGeneratorSettings(storage, loaded.generator);
    return storage;
}

// The names of every value the program stores, taken from what it writes.
std::vector<std::string> StoredNames() {
    Loaded defaults;
    defaults.app.LastFile = "last.kv";
    MemorySettings storage = Save(defaults);
    kv::test::FixedLocale locale;
    for (const char* path : {"1.kv", "2.kv", "3.kv", "4.kv", "5.kv"}) {
        kv::AddRecentFile(storage, defaults.app, path, [](const std::string&) { return true; }, locale);
    }
    std::vector<std::string> names;
    for (const auto& value : storage.values) names.push_back(value.first);
    return names;
}

// Reads the fuzz input from the front.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t Byte() { return empty() ? 0 : data_[pos_++]; }
    std::uint32_t Number() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return value;
    }
    // Up to 1023 bytes, the length first; an input that ends early gives what is left.
    std::string Bytes() {
        std::size_t length = (static_cast<std::size_t>(Byte()) | static_cast<std::size_t>(Byte()) << 8) % 1024;
        if (length > size_ - pos_) length = size_ - pos_;
        const std::string bytes(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Each value: a byte with its kind (low two bits) and whether it takes a name
// of its own, then the name (an index into the stored names, or bytes), then
// its contents.
void Decode(Input& in, MemorySettings& storage) {
    static const std::vector<std::string> names = StoredNames();
    while (!in.empty()) {
        const std::uint8_t kind = in.Byte();
        const std::string name = (kind & 4) != 0 ? in.Bytes() : names[in.Byte() % names.size()];
        switch (kind & 3) {
            case 0: storage.values[name] = in.Number(); break;
            case 1: storage.values[name] = in.Bytes(); break;
            case 2: {
                const std::string bytes = in.Bytes();
                storage.values[name] = kv::test::OtherValue{{bytes.begin(), bytes.end()}};
                break;
            }
            default: storage.values.erase(name); break;
        }
    }
}

void CheckFlag(std::uint32_t value) { Check(value <= 1, "a flag is 0 or 1"); }

void CheckText(const std::string& text, std::size_t bufferSize) {
    Check(text.size() < bufferSize, "a text fits its buffer with its terminating zero");
}

void CheckRanges(const Loaded& loaded) {
    const kv::AppSettings& app = loaded.app;
    Check(loaded.encryptFiles == 0 || loaded.encryptFiles == 1, "the protection flag is 0 or 1");
    for (const std::uint32_t flag : {app.StartWithWindows, app.SysTrayIcon, app.ShowToolbar, app.SendTab,
                                     app.ClearClipboard, app.Mask, app.AutosizeCol, app.PinTrayDlg, app.Init,
                                     app.DoubleClick, app.SkinDialog, app.AutoComplete, app.CheckScreenSaver,
                                     app.IEMenu, app.Sounds, app.UseIE, app.ReuseWindow, app.AddLink,
                                     app.MaximizeBrowser, app.CheckFormPasswords}) {
        CheckFlag(flag);
    }
    Check(app.Transparency <= 255, "the transparency is at most 255");
    Check(app.ExpirationDays <= 9999, "the expiration days are at most 9999");
    Check(app.ClearSeconds <= 300, "the clipboard delay is at most 300 seconds");
    Check(app.DefaultCategory >= 1 && app.DefaultCategory <= 4, "the default category is 1 to 4");
    for (const std::string* text : {&app.LastFile, &app.Browser, &app.ReportColumns}) CheckText(*text, kv::kPathTextSize);
    for (const std::string& text : app.ColumnNames) CheckText(text, kv::kNameTextSize);
    for (const std::string& text : app.CategoryNames) CheckText(text, kv::kNameTextSize);
    for (int category = 0; category < 4; ++category) {
        bool named = false;
        for (const int column : app.ColumnSets[static_cast<std::size_t>(category)]) {
            Check(column >= -1 && column < kv::kNamedColumns, "a column slot is empty or names a column");
            named = named || column >= 0;
        }
        Check(named, "a category's column list names a column");
    }
    Check(app.RecentFiles.size() <= kv::kMaxRecentFiles, "at most five recent files");
    for (const std::string& path : app.RecentFiles) {
        Check(!path.empty(), "a recent file has a name");
        CheckText(path, kv::kPathTextSize);
    }
    Check(loaded.hotKey.virtualKey <= 0xFF && loaded.hotKey.modifiers <= 7, "the hot key is a key and modifiers");
    Check(loaded.hotKey.enabled || (loaded.hotKey.virtualKey == 0 && loaded.hotKey.modifiers == 0),
          "a disabled hot key has no key");
    const kv::GeneratorSettings& generator = loaded.generator;
    for (const std::uint32_t flag : {generator.UseLetters, generator.UseNumbers, generator.UseSpecial}) CheckFlag(flag);
    for (const std::string* text : {&generator.PasswordLength, &generator.SpecialChars, &generator.InsertText}) {
        CheckText(*text, kv::kGeneratorTextSize);
    }
    const std::pair<std::uint32_t, kv::StoredRadioGroup> radios[] = {
        {generator.InsertMode, kv::kGeneratorInsertGroup},
        {generator.UseCase, kv::kGeneratorCaseGroup},
        {generator.WordOptions, kv::kGeneratorWordsGroup},
        {generator.Secure, kv::kGeneratorTypeGroup},
    };
    for (const auto& [id, group] : radios) Check(id >= group.first && id <= group.last, "a radio group checks one of its buttons");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::uint8_t setup = in.Byte();
    MemorySettings storage;
    storage.exists = (setup & 1) == 0;
    Decode(in, storage);
    const Loaded loaded = Load(storage, (setup & 2) != 0 ? 1 : 0);
    CheckRanges(loaded);

    // The first-run marker is cleared by its mere presence, so a saved key
    // always loads with it cleared; every other value loads as it was saved.
    MemorySettings saved = Save(loaded);
    const Loaded reloaded = Load(saved, 0);
    Check(reloaded.app.Init == 0, "a saved key has been run before");
    MemorySettings savedAgain = Save(reloaded);
    saved.values.erase("Init");
    savedAgain.values.erase("Init");
    Check(saved.values == savedAgain.values, "loaded settings save and load to the same values");
    return 0;
}
