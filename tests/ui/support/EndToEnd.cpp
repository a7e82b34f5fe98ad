#include "tests/ui/support/EndToEnd.h"

namespace kv::uitest {

void EndToEndTest::SetUp() {
    ASSERT_FALSE(ProgramUnderTest().empty()) << "give the path of Kelvandor.exe as the first argument";
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_EQ(FindWindowMatching({0, "Kelvandor", "Kelvandor", false}), nullptr)
        << "another Kelvandor runs in this Wine prefix";
}

void EndToEndTest::TearDown() {
    first.Kill();
    second.Kill();
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

void EndToEndTest::RememberFile(const std::string& lastFile) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (!lastFile.empty()) {
        RegSetValueExA(key, "LastFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(lastFile.c_str()),
                       static_cast<DWORD>(lastFile.size() + 1));
    }
    RegCloseKey(key);
}

void EndToEndTest::SetNumber(const char* name, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void EndToEndTest::StartFirst(const std::string& arguments) {
    ASSERT_TRUE(first.Start(ProgramUnderTest(), arguments));
    ASSERT_NE(WaitForWindow({first.id(), "Kelvandor", "Kelvandor", false}, 15000), nullptr);
}

HWND EndToEndTest::TrayWindowOfFirst() const { return FindWindowMatching({first.id(), "Kelvandor", "Kelvandor", false}); }

}  // namespace kv::uitest
