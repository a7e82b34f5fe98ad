// The generator's options as the settings keep them.
#include <gtest/gtest.h>

#include "generator/GeneratorSettings.h"
#include "tests/support/MemorySettings.h"

namespace kv {
namespace {

using test::MemorySettings;

TEST(GeneratorSettingsTest, MissingValuesKeepTheirDefaults) {
    MemorySettings storage;
    storage.exists = false;
    const GeneratorSettings settings = LoadGeneratorSettings(storage);
    EXPECT_EQ(settings.PasswordLength, "16");
    EXPECT_EQ(settings.SpecialChars, "_{}[]()!@#$&*+-=<>`~");
    EXPECT_EQ(settings.UseLetters, 1u);
    EXPECT_EQ(settings.UseNumbers, 0u);
    EXPECT_EQ(settings.UseSpecial, 0u);
    EXPECT_EQ(settings.InsertMode, 1048u);
    EXPECT_EQ(settings.UseCase, 1040u);
    EXPECT_EQ(settings.InsertText, "");
    EXPECT_EQ(settings.WordOptions, 1056u);
    EXPECT_EQ(settings.Secure, 1054u);
}

TEST(GeneratorSettingsTest, SaveThenLoadGivesTheSameOptions) {
    MemorySettings storage;
    GeneratorSettings saved;
    saved.PasswordLength = "24";
    saved.SpecialChars = "#%";
    saved.UseNumbers = 1;
    saved.UseLetters = 0;
    saved.InsertMode = 1046;
    saved.UseCase = 1038;
    saved.InsertText = "-";
    saved.WordOptions = 1059;
    saved.Secure = 1055;
    SaveGeneratorSettings(storage, saved);
    EXPECT_EQ(storage.Text("PasswordLength"), "24");
    EXPECT_EQ(storage.Number("InsertMode"), 1046u);
    const GeneratorSettings loaded = LoadGeneratorSettings(storage);
    EXPECT_EQ(loaded.PasswordLength, "24");
    EXPECT_EQ(loaded.SpecialChars, "#%");
    EXPECT_EQ(loaded.UseLetters, 0u);
    EXPECT_EQ(loaded.UseNumbers, 1u);
    EXPECT_EQ(loaded.InsertMode, 1046u);
    EXPECT_EQ(loaded.UseCase, 1038u);
    EXPECT_EQ(loaded.InsertText, "-");
    EXPECT_EQ(loaded.WordOptions, 1059u);
    EXPECT_EQ(loaded.Secure, 1055u);
}

TEST(GeneratorSettingsTest, AGroupWithNoCheckedButtonIsNotWritten) {
    MemorySettings storage;
    storage.values["UseCase"] = 1039u;
    GeneratorSettings saved;
    saved.UseCase = 0;
    SaveGeneratorSettings(storage, saved);
    EXPECT_EQ(storage.Number("UseCase"), 1039u);
    EXPECT_EQ(storage.Number("Secure"), 1054u);
}

TEST(GeneratorSettingsTest, OddValuesAreTakenAsMissing) {
    MemorySettings storage;
    storage.values["Secure"] = 1053u;       // not a button of the group
    storage.values["UseCase"] = 1041u;
    storage.values["UseLetters"] = 2u;
    storage.values["SpecialChars"] = std::string(512, '#');  // longer than the 512-byte buffer holds
    storage.values["PasswordLength"] = 12u;  // a number where a text belongs
    const GeneratorSettings loaded = LoadGeneratorSettings(storage);
    EXPECT_EQ(loaded.Secure, 1054u);
    EXPECT_EQ(loaded.UseCase, 1040u);
    EXPECT_EQ(loaded.UseLetters, 1u);
    EXPECT_EQ(loaded.SpecialChars, "_{}[]()!@#$&*+-=<>`~");
    EXPECT_EQ(loaded.PasswordLength, "16");
}

}  // namespace
}  // namespace kv
