// The password generator's options as the settings keep them.
#pragma once

#include <cstdint>
#include <string>

#include "settings/SettingsStore.h"

namespace kv {

// A radio group of the password generator, stored as the identifier of its
// checked button: the identifiers run from `first` to `last`.
struct StoredRadioGroup {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t fallback;
};
constexpr StoredRadioGroup kGeneratorTypeGroup{1054, 1055, 1054};     // Secure, Simple
constexpr StoredRadioGroup kGeneratorCaseGroup{1038, 1040, 1040};     // Upper, Lower, Mixed
constexpr StoredRadioGroup kGeneratorInsertGroup{1045, 1048, 1048};   // Prefix, Middle, Suffix, Disable
constexpr StoredRadioGroup kGeneratorWordsGroup{1056, 1059, 1056};    // the four word options
constexpr std::size_t kGeneratorTextSize = 512;

// The password generator's options, read when its dialog opens and written
// when it closes with OK. A radio group of 0 (no button checked) is not written.
struct GeneratorSettings {
    std::string PasswordLength = "16";
    std::string SpecialChars = "_{}[]()!@#$&*+-=<>`~";
    std::uint32_t UseLetters = 1;
    std::uint32_t UseNumbers = 0;
    std::uint32_t UseSpecial = 0;
    std::uint32_t InsertMode = kGeneratorInsertGroup.fallback;
    std::uint32_t UseCase = kGeneratorCaseGroup.fallback;
    std::string InsertText;
    std::uint32_t WordOptions = kGeneratorWordsGroup.fallback;
    std::uint32_t Secure = kGeneratorTypeGroup.fallback;
};

// Every value missing, unreadable or outside its group keeps its default
// (all of them when the key is missing).
GeneratorSettings LoadGeneratorSettings(SettingsStorage& storage);
void SaveGeneratorSettings(SettingsStorage& storage, const GeneratorSettings& settings);

}  // namespace kv
