// Recording a browser's authentication dialog through the program's own
// web-form windows and the hook library: the dialog lives in another
// process, as a browser's would.
#include <gtest/gtest.h>

#include "app/PasswordApp.h"
#include "hooklib/KelvandorKey.h"
#include "resources/resource.h"
#include "tests/support/Records.h"
#include "tests/ui/support/AppFixture.h"
#include "tests/ui/support/ChildProcess.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

using namespace uitest;

class AuthDialogRecordingTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        RememberFile("C:\\Data\\Secrets.kv");
        ASSERT_TRUE(app_->InitInstance("systray"));
        app_->Database.FileLoaded = 1;
        app_->Database.FilePath = "C:\\Data\\Secrets.kv";
        AddFolder(app_->Database, "Internet", kInternetCategory);
    }

    void TearDown() override {
        RemoveHook();
        AppFixture::TearDown();
    }

    HWND StartPrompt(const std::string& arguments) {
        return StartAuthenticationHost(prompt_, PathBesideThisProgram("..\\hooklib\\auth-dialog-host.exe"), arguments);
    }

    const CowVector<Record>& Records() const { return app_->Database.Folders[0].records; }

    ChildProcess prompt_;
};

TEST_F(AuthDialogRecordingTest, ClosingTheBrowsersDialogSavesWhatTheUserTypedAndLeavesNothingShared) {
    HWND prompt = StartPrompt("carol ro:realm s3cret");
    ASSERT_NE(prompt, nullptr);
    app_->WebFormWindows().OpenAddWebForm({nullptr, prompt, "http://router.example/setup"});
    HWND add = WaitForWindow({GetCurrentProcessId(), "Add Web Form", "", true});
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(add, IDC_ADD_FORM_STATUS)), "Press OK to save");
    SetDlgItemTextA(add, IDC_ADD_FORM_NAME, "Router");

    // The user answers the browser's dialog with OK.
    PostMessageA(prompt, WM_APP, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !Records().empty(); })) << "the closed dialog was not saved";
    EXPECT_TRUE(prompt_.WaitForExit(5000));
    EXPECT_FALSE(app_->WebFormWindows().IsAddWebFormOpen());
    const Record& record = Records()[0];
    EXPECT_EQ(record.fields[kDescription], "Router");
    EXPECT_EQ(record.fields[kUsername], "carol");
    EXPECT_EQ(record.fields[kPassword], "s3cret");
    EXPECT_EQ(record.fields[kUrl], "http://router.example/setup");
    ASSERT_EQ(record.formData.size(), 2u);
    EXPECT_EQ(record.formData[0].type, kAuthDialogUsername);
    EXPECT_EQ(record.formData[1].type, kAuthDialogPassword);
    EXPECT_TRUE(app_->Database.Modified);

    char username[keys::kFormDataSize] = "x";
    char password[keys::kFormDataSize] = "x";
    GetFormData(username, password);
    EXPECT_STREQ(username, "");
    EXPECT_STREQ(password, "");
}

TEST_F(AuthDialogRecordingTest, AFillWritesTheRecordIntoTheDialogsFields) {
    HWND prompt = StartPrompt("old ro:realm old");
    ASSERT_NE(prompt, nullptr);
    Record record = test::LoginRecord("Router", "dave", "pa55");
    record.fields[kUrl] = "http://router.example/setup";
    record.formData = {{kAuthDialogUsername, "Username", "dave", 0, -1, -1, -1, "", 0},
                       {kAuthDialogPassword, "Password", "pa55", 0, -1, -1, -1, "", 0}};
    app_->Database.Folders[0].records.write() = {record};
    app_->FillAuthDialog(0, 0, prompt, "http://router.example/setup");
    char text[100] = {};
    SendMessageA(GetDlgItem(prompt, 101), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "dave");
    SendMessageA(GetDlgItem(prompt, 103), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "pa55");
}

}  // namespace
}  // namespace kv
