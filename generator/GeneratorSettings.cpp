#include "generator/GeneratorSettings.h"

#include "settings/Settings.h"

namespace kv {
namespace {

struct StoredRadio {
    const char* name;
    std::uint32_t GeneratorSettings::*member;
    StoredRadioGroup group;
};

const StoredRadio kGeneratorRadios[] = {
    {"InsertMode", &GeneratorSettings::InsertMode, kGeneratorInsertGroup},
    {"UseCase", &GeneratorSettings::UseCase, kGeneratorCaseGroup},
    {"WordOptions", &GeneratorSettings::WordOptions, kGeneratorWordsGroup},
    {"Secure", &GeneratorSettings::Secure, kGeneratorTypeGroup},
};

}  // namespace

GeneratorSettings LoadGeneratorSettings(SettingsStorage& storage) {
    GeneratorSettings settings;
    std::unique_ptr<SettingsStore> store = storage.OpenExisting();
    if (!store) return settings;
    ReadText(*store, "PasswordLength", kGeneratorTextSize, settings.PasswordLength);
    ReadText(*store, "SpecialChars", kGeneratorTextSize, settings.SpecialChars);
    ReadFlag(*store, "UseLetters", settings.UseLetters);
    ReadFlag(*store, "UseNumbers", settings.UseNumbers);
    ReadFlag(*store, "UseSpecial", settings.UseSpecial);
    ReadText(*store, "InsertText", kGeneratorTextSize, settings.InsertText);
    for (const StoredRadio& radio : kGeneratorRadios) {
        const std::optional<std::uint32_t> id = store->ReadNumber(radio.name);
        if (id && *id >= radio.group.first && *id <= radio.group.last) settings.*radio.member = *id;
    }
    return settings;
}

void SaveGeneratorSettings(SettingsStorage& storage, const GeneratorSettings& settings) {
    std::unique_ptr<SettingsStore> store = storage.OpenOrCreate();
    if (!store) return;
    store->WriteText("PasswordLength", settings.PasswordLength);
    store->WriteText("SpecialChars", settings.SpecialChars);
    store->WriteText("InsertText", settings.InsertText);
    store->WriteNumber("UseLetters", settings.UseLetters);
    store->WriteNumber("UseNumbers", settings.UseNumbers);
    store->WriteNumber("UseSpecial", settings.UseSpecial);
    for (const StoredRadio& radio : kGeneratorRadios) {
        if (settings.*radio.member != 0) store->WriteNumber(radio.name, settings.*radio.member);
    }
}

}  // namespace kv
