// The real Kelvandor.exe types a value from its tray dialog into the window
// of another program, the way a user fills a login prompt.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "db/Database.h"
#include "resources/resource.h"
#include "tests/support/DatabaseFile.h"
#include "tests/support/Records.h"
#include "tests/ui/support/EndToEnd.h"
#include "tests/ui/support/PasteTarget.h"

namespace kv {
namespace {

using namespace uitest;

// The titled windows that stand above the target in Z order, which the tray
// dialog would take for the application to type into.
std::string WindowsAbove(HWND target, HWND dialog) {
    std::string above;
    for (HWND window = GetTopWindow(nullptr); window != nullptr && window != target;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == dialog || !IsWindowVisible(window) || TextOf(window).empty()) continue;
        above += " \"" + TextOf(window) + "\" (" + ClassOf(window) + ")";
    }
    return above.empty() ? " none" : above;
}

class TrayPasteEndToEndTest : public EndToEndTest {
protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        file_ = (std::filesystem::temp_directory_path() / "kelvandor-tray-paste.kv").string();
        PasswordDatabase db;
        const int folder = AddFolder(db, "Internet", kInternetCategory);
        db.Folders[static_cast<std::size_t>(folder)].records.write() = {test::LoginRecord("Mail", "ann", "s3cret")};
        ASSERT_TRUE(test::WriteDatabaseFile(file_, "", std::move(db)));
        RememberFile(file_);
        SetNumber("Init", 0);
    }

    void TearDown() override {
        EndToEndTest::TearDown();
        std::filesystem::remove(file_);
    }

    std::string file_;
};

TEST_F(TrayPasteEndToEndTest, TheTrayDialogTypesTheUserNameAndTabIntoAnotherProgram) {
    StartFirst("systray");
    PasteTarget target;
    target.HandleTabs();
    ClickNotificationIcon(TrayWindowOfFirst());
    HWND dialog = WaitForWindow({first.id(), "", "#32770", true}, 10000);
    ASSERT_NE(dialog, nullptr) << "the tray dialog did not open";
    HWND tree = GetDlgItem(dialog, IDC_TRAY_TREE);
    HTREEITEM folder = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        folder = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        return folder != nullptr;
    }));
    HTREEITEM record = ExpandedChild(tree, folder);
    ASSERT_NE(record, nullptr);
    HTREEITEM userName = ExpandedChild(tree, record);
    ASSERT_NE(userName, nullptr);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(userName));
    // As a user would, press the button once the dialog is in front.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 10000))
        << "the tray dialog did not come to the front";

    PressButton(dialog, IDC_TRAY_PASTE);
    EXPECT_TRUE(WaitUntil([&] { return target.FirstText() == "ann" && target.TabbedOn(); }, 10000))
        << "typed: \"" << target.FirstText() << "\", in front: \"" << TextOf(GetForegroundWindow())
        << "\", windows above the target:" << WindowsAbove(target.hwnd(), dialog);
    // The dialog takes the focus back only after the target read every key.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    Pump(200);
    EXPECT_EQ(target.FirstText(), "ann");
}

}  // namespace
}  // namespace kv
