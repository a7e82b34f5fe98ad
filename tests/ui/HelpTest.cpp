// Help from the editor's menu, the icon's menu and the AutoFill pop-up: the
// user guide beside the program and the support page, opened in the system's
// browser.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "desktop/UserGuide.h"
#include "resources/resource.h"
#include "tests/support/Records.h"
#include "tests/ui/support/EditorFixture.h"
#include "tests/ui/support/MemoryBrowser.h"

namespace kv {
namespace {

using namespace uitest;

BOOL CALLBACK TakeWindowWithHelpButton(HWND window, LPARAM found) {
    if (GetDlgItem(window, IDC_POPUP_HELP) == nullptr || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

class HelpTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        SetDocumentOpener([this](const std::string& document) {
            opened_.push_back(document);
            return true;
        });
    }
    void TearDown() override {
        SetDocumentOpener(nullptr);
        EditorFixture::TearDown();
    }

    CEditorDlg& OpenEditor() {
        WriteFile(PathOf("Help.kv"), "", {"Internet"});
        return StartEditorOn(PathOf("Help.kv"));
    }

    std::vector<std::string> opened_;
};

TEST_F(HelpTest, TheEditorsHelpOpensTheGuideBesideTheProgramAndSupportTheProjectsPage) {
    ASSERT_TRUE(std::filesystem::exists(UserGuidePath())) << UserGuidePath();
    CEditorDlg& editor = OpenEditor();
    Command(editor, ID_HELP_INDEX);
    Command(editor, ID_SUPPORT);
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0], UserGuidePath());
    EXPECT_EQ(opened_[1].rfind("https://", 0), 0u) << opened_[1];
    EXPECT_TRUE(shown_.empty());
}

TEST_F(HelpTest, TheIconMenusHelpOpensTheGuideAndAMissingGuideIsReported) {
    RememberFile(PathOf("Help.kv"));
    ASSERT_TRUE(app_->InitInstance("systray"));
    app_->Tray().Send(WM_COMMAND, MAKEWPARAM(ID_TRAY_HELP, 0));
    EXPECT_EQ(opened_, std::vector<std::string>{UserGuidePath()});

    const std::string away = UserGuidePath() + ".away";
    std::filesystem::rename(UserGuidePath(), away);
    app_->Tray().Send(WM_COMMAND, MAKEWPARAM(ID_TRAY_HELP, 0));
    std::filesystem::rename(away, UserGuidePath());
    EXPECT_EQ(opened_.size(), 1u);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("is missing"), std::string::npos);
}

TEST_F(HelpTest, TheAutoFillPopUpsQuestionMarkOpensTheGuide) {
    RememberFile(PathOf("Help.kv"));
    ASSERT_TRUE(app_->InitInstance("systray"));
    app_->Database.FileLoaded = 1;
    app_->Database.FilePath = PathOf("Help.kv");
    const int folder = AddFolder(app_->Database, "Internet", kInternetCategory);
    Record record = test::LoginRecord("Forum", "ann", "s3cret");
    record.fields[kUrl] = "https://forum.example/login";
    record.formData = {test::ColumnEntry(kPasswordInput, "pwd", "s3cret", kPassword)};
    app_->Database.Folders[static_cast<std::size_t>(folder)].records.write() = {record};
    const auto browser = std::make_shared<MemoryBrowserState>();
    browser->window = CreateBrowserWindow("Forum - Microsoft Internet Explorer");
    browser->page->address = "https://forum.example/login";
    const MemoryBrowserInPlace inPlace(browser);

    app_->WebFormWindows().OpenAutoFillPopup(browser->window, false);
    ASSERT_TRUE(app_->WebFormWindows().IsAutoFillPopupOpen());
    HWND help = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeWindowWithHelpButton, reinterpret_cast<LPARAM>(&help));
    ASSERT_NE(help, nullptr) << "no pop-up with its question mark";
    PressButton(help, IDC_POPUP_HELP);
    Pump(50);
    EXPECT_EQ(opened_, std::vector<std::string>{UserGuidePath()});
    app_->WebFormWindows().CloseAll();
    DestroyWindow(browser->window);
}

}  // namespace
}  // namespace kv
