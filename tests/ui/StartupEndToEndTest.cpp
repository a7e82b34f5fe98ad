// The real Kelvandor.exe, started as a user would: one instance per user, a
// second start that shows the first or takes over from it, a tray-only start.
#include <gtest/gtest.h>

#include "tests/ui/support/EndToEnd.h"

namespace kv {
namespace {

using namespace uitest;

const char kLastFile[] = "C:\\Data\\Remembered.kv";
const char kRememberedTitle[] = "Remembered.kv - Kelvandor";

class StartupEndToEndTest : public EndToEndTest {
protected:
    // Each start begins with the settings of a user who opened a file before.
    void SetUp() override {
        EndToEndTest::SetUp();
        RememberFile(kLastFile);
    }

    static HWND VisibleWindowOf(const ChildProcess& process) {
        return FindWindowMatching({process.id(), "", "", true});
    }
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
    ASSERT_TRUE(second.Start(ProgramUnderTest(), ""));
    EXPECT_TRUE(second.WaitForExit(15000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_NE(WaitForWindow({first.id(), kRememberedTitle, "", true}, 10000), nullptr);
    EXPECT_TRUE(first.Running());
}

TEST_F(StartupEndToEndTest, SecondStartWithAnotherFileTypeOnlyShowsTheFirst) {
    StartFirst("systray");
    ASSERT_TRUE(second.Start(ProgramUnderTest(), "C:\\notes.txt"));
    EXPECT_TRUE(second.WaitForExit(15000));
    EXPECT_NE(WaitForWindow({first.id(), kRememberedTitle, "", true}, 10000), nullptr);
    EXPECT_TRUE(first.Running());
}

TEST_F(StartupEndToEndTest, SecondStartWithAPasswordFileTakesOver) {
    StartFirst("systray");
    ASSERT_TRUE(second.Start(ProgramUnderTest(), "\"C:\\My Files\\Take Over.KV\""));
    EXPECT_TRUE(first.WaitForExit(15000)) << "the first instance did not quit";
    EXPECT_NE(WaitForWindow({second.id(), "Take Over.KV - Kelvandor", "", true}, 15000), nullptr);
    EXPECT_NE(FindWindowMatching({second.id(), "Kelvandor", "Kelvandor", false}), nullptr);
    EXPECT_TRUE(second.Running());
}

TEST_F(StartupEndToEndTest, PlainStartWithoutTheTrayIconShowsTheEditor) {
    SetNumber("SysTrayIcon", 0);
    ASSERT_TRUE(first.Start(ProgramUnderTest(), ""));
    EXPECT_NE(WaitForWindow({first.id(), kRememberedTitle, "", true}, 15000), nullptr);
}

TEST_F(StartupEndToEndTest, WithoutARememberedFileEvenATrayStartShowsTheEditor) {
    RememberFile("");
    ASSERT_TRUE(first.Start(ProgramUnderTest(), "systray"));
    EXPECT_NE(WaitForWindow({first.id(), "No file selected - Kelvandor", "", true}, 15000), nullptr);
}

}  // namespace
}  // namespace kv
