// The real Kelvandor.exe, started as a user would: one instance per user, a
// second start that shows the first or takes over from it, a tray-only start.
#include <gtest/gtest.h>

#include "tests/ui/support/ChildProcess.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

using namespace uitest;

std::string program;  // Kelvandor.exe, from the command line
const char kSettingsKey[] = "Software\\Corvale Software\\Kelvandor";
const char kLastFile[] = "C:\\Data\\Remembered.kv";
const char kRememberedTitle[] = "Remembered.kv - Kelvandor";

class StartupEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(program.empty()) << "give the path of Kelvandor.exe as the first argument";
        // Each start begins with the settings of a user who opened a file before.
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "LastFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(kLastFile), sizeof kLastFile);
        RegCloseKey(key);
        ASSERT_EQ(FindWindowMatching({0, "Kelvandor", "Kelvandor", false}), nullptr)
            << "another Kelvandor runs in this Wine prefix";
    }

    void TearDown() override {
        first.Kill();
        second.Kill();
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    }

    // Starts the first instance and waits until its tray window exists.
    void StartFirst(const std::string& arguments) {
        ASSERT_TRUE(first.Start(program, arguments));
        ASSERT_NE(WaitForWindow({first.id(), "Kelvandor", "Kelvandor", false}, 15000), nullptr);
    }

    static HWND VisibleWindowOf(const ChildProcess& process) {
        return FindWindowMatching({process.id(), "", "", true});
    }

    ChildProcess first;
    ChildProcess second;
};

TEST_F(StartupEndToEndTest, PlainStartWithTheTrayIconShowsOnlyTheIcon) {
    StartFirst("");
    Pump(1000);
    EXPECT_EQ(VisibleWindowOf(first), nullptr);
}

TEST_F(StartupEndToEndTest, SystrayStartShowsOnlyTheIcon) {
    StartFirst("SYSTRAY");
    Pump(1000);
    EXPECT_EQ(VisibleWindowOf(first), nullptr);
    EXPECT_NE(FindWindowMatching({first.id(), "KelvandorDlg", "", false}), nullptr);
    EXPECT_TRUE(first.Running());
}

TEST_F(StartupEndToEndTest, SecondStartWithoutArgumentsShowsTheFirst) {
    StartFirst("systray");
    ASSERT_TRUE(second.Start(program, ""));
    EXPECT_TRUE(second.WaitForExit(15000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_NE(WaitForWindow({first.id(), kRememberedTitle, "", true}, 10000), nullptr);
    EXPECT_TRUE(first.Running());
}

TEST_F(StartupEndToEndTest, SecondStartWithAnotherFileTypeOnlyShowsTheFirst) {
    StartFirst("systray");
    ASSERT_TRUE(second.Start(program, "C:\\notes.txt"));
    EXPECT_TRUE(second.WaitForExit(15000));
    EXPECT_NE(WaitForWindow({first.id(), kRememberedTitle, "", true}, 10000), nullptr);
    EXPECT_TRUE(first.Running());
}

TEST_F(StartupEndToEndTest, SecondStartWithAPasswordFileTakesOver) {
    StartFirst("systray");
    ASSERT_TRUE(second.Start(program, "\"C:\\My Files\\Take Over.KV\""));
    EXPECT_TRUE(first.WaitForExit(15000)) << "the first instance did not quit";
    EXPECT_NE(WaitForWindow({second.id(), "Take Over.KV - Kelvandor", "", true}, 15000), nullptr);
    EXPECT_NE(FindWindowMatching({second.id(), "Kelvandor", "Kelvandor", false}), nullptr);
    EXPECT_TRUE(second.Running());
}

TEST_F(StartupEndToEndTest, PlainStartWithoutTheTrayIconShowsTheEditor) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const DWORD off = 0;
    RegSetValueExA(key, "SysTrayIcon", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
    RegCloseKey(key);
    ASSERT_TRUE(first.Start(program, ""));
    EXPECT_NE(WaitForWindow({first.id(), kRememberedTitle, "", true}, 15000), nullptr);
}

TEST_F(StartupEndToEndTest, WithoutARememberedFileEvenATrayStartShowsTheEditor) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    ASSERT_TRUE(first.Start(program, "systray"));
    EXPECT_NE(WaitForWindow({first.id(), "No file selected - Kelvandor", "", true}, 15000), nullptr);
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) kv::program = kv::uitest::WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
