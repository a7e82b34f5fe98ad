// The registration script reader, on the helper's own script and on damaged ones.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bho/HostCheck.h"
#include "bho/RegistryScript.h"

namespace kv::registration {
namespace {

std::string HelperScript() {
    std::ifstream in(KELVANDOR_HELPER_SCRIPT, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const ScriptKey* Find(const std::vector<ScriptKey>& keys, const std::string& name) {
    for (const ScriptKey& key : keys) {
        if (key.name == name) return &key;
    }
    return nullptr;
}

constexpr char kClass[] = "{EC732582-7C24-4301-87F4-724E0DB3FDD4}";

TEST(RegistryScriptTest, TheHelpersScriptNamesItsClassModuleAndBrowserKeys) {
    const ParsedScript script = ParseScript(HelperScript(), "C:\\Program Files\\Kelvandor\\SidloweNT.dll");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.roots.size(), 2u);
    EXPECT_EQ(script.roots[0].root, "HKCR");
    EXPECT_EQ(script.roots[1].root, "HKLM");

    const ScriptKey* classes = Find(script.roots[0].keys, "CLSID");
    ASSERT_NE(classes, nullptr);
    EXPECT_TRUE(classes->noRemove);
    const ScriptKey* helper = Find(classes->subkeys, kClass);
    ASSERT_NE(helper, nullptr);
    EXPECT_TRUE(helper->forceRemove);
    ASSERT_TRUE(helper->defaultValue.has_value());
    EXPECT_EQ(helper->defaultValue->text, "SidloweObj Class");
    const ScriptKey* server = Find(helper->subkeys, "InprocServer32");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->defaultValue->text, "C:\\Program Files\\Kelvandor\\SidloweNT.dll");
    ASSERT_EQ(server->values.size(), 1u);
    EXPECT_EQ(server->values[0].name, "ThreadingModel");
    EXPECT_EQ(server->values[0].text, "Apartment");
    const ScriptKey* programmable = Find(helper->subkeys, "Programmable");
    ASSERT_NE(programmable, nullptr);
    EXPECT_FALSE(programmable->defaultValue.has_value());
    EXPECT_NE(Find(script.roots[0].keys, "SidloweObj.SidloweObj.1"), nullptr);

    const ScriptKey* key = Find(script.roots[1].keys, "SOFTWARE");
    for (const char* name : {"Microsoft", "Windows", "CurrentVersion", "Shell Extensions", "Approved"}) {
        ASSERT_NE(key, nullptr) << name;
        EXPECT_TRUE(key->noRemove) << key->name;
        key = Find(key->subkeys, name);
    }
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values.size(), 1u);
    EXPECT_EQ(key->values[0].name, kClass);
    EXPECT_EQ(key->values[0].text, "KelvandorHlprObj");
}

TEST(RegistryScriptTest, TextsAndNumbersAreRead) {
    const ParsedScript script =
        ParseScript("HKCR { 'A key' = s 'it''s %MODULE%' { val Count = d '42' val Hex = d 0x10 } }", "m.dll");
    ASSERT_EQ(script.error, "");
    const ScriptKey& key = script.roots.at(0).keys.at(0);
    EXPECT_EQ(key.name, "A key");
    EXPECT_EQ(key.defaultValue->text, "it's m.dll");
    ASSERT_EQ(key.values.size(), 2u);
    EXPECT_TRUE(key.values[0].isNumber);
    EXPECT_EQ(key.values[0].number, 42u);
    EXPECT_EQ(key.values[1].number, 16u);
}

TEST(RegistryScriptTest, ADamagedScriptGivesAnErrorAndNothingToWrite) {
    std::string deep = "HKCR { ";
    for (int i = 0; i < 40; ++i) deep += "K" + std::to_string(i) + " { ";
    for (const std::string& damaged :
         {std::string("HKCR { Key = s 'open"), std::string("HKCU { Key }"), std::string("HKCR { Key { }"),
          std::string("HKCR { val Name = s 'x' }"), std::string("HKCR { Key = q 'x' }"),
          std::string("HKCR { Key = d 'many' }"), std::string("HKCR { Key = d 99999999999 }"),
          std::string("HKCR { {unclosed = s 'x' }"), deep}) {
        const ParsedScript script = ParseScript(damaged, "m.dll");
        EXPECT_NE(script.error, "") << damaged;
        EXPECT_TRUE(script.roots.empty()) << damaged;
    }
}

TEST(HostCheckTest, TheShellIsRefusedInAnyCase) {
    EXPECT_FALSE(bho::AcceptsHost("C:\\WINDOWS\\Explorer.EXE"));
    EXPECT_FALSE(bho::AcceptsHost("c:\\windows\\explorer.exe"));
    EXPECT_TRUE(bho::AcceptsHost("C:\\Program Files\\Internet Explorer\\iexplore.exe"));
    EXPECT_TRUE(bho::AcceptsHost(""));
}

}  // namespace
}  // namespace kv::registration
