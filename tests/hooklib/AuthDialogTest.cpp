// The authentication-dialog hook and fill of KelvandorKey.dll on a real
// dialog in another process, called through the library as the program does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hooklib/KelvandorKey.h"
#include "protocol/MessageNames.h"
#include "tests/ui/support/ChildProcess.h"
#include "tests/ui/support/UiHarness.h"

namespace kv::keys {
namespace {

using namespace uitest;

const UINT kOnSubmit = RegisterWindowMessageA(protocol::kOnSubmitMessage);
UINT submitted = 0;

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kOnSubmit && wParam == 1) ++submitted;
    return DefWindowProcA(window, message, wParam, lParam);
}

// A shared variable of the library, read through its export.
template <class T>
T* Shared(const char* name) {
    return reinterpret_cast<T*>(GetProcAddress(GetModuleHandleA("KelvandorKey.dll"), name));
}

class AuthDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = NotifyProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "AuthDialogTestNotify";
        RegisterClassA(&windowClass);
        notify_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(notify_, nullptr);
        submitted = 0;
    }

    void TearDown() override {
        RemoveHook();
        DestroyWindow(notify_);
    }

    // Starts the host with these edit texts and finds its dialog.
    HWND StartHost(const std::string& arguments) {
        return StartAuthenticationHost(host_, PathBesideThisProgram("auth-dialog-host.exe"), arguments);
    }

    static std::vector<std::string> EditTexts(HWND dialog) {
        std::vector<std::string> texts;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            // The controls lie in another process: the message fetches their text.
            char text[200] = {};
            SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }

    HWND notify_ = nullptr;
    ChildProcess host_;
};

TEST_F(AuthDialogTest, ClosingTheDialogReportsItsUserNameAndPasswordOnce) {
    HWND dialog = StartHost("alice ro:readonly s3cret");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SetHook(dialog, notify_));
    const std::uint32_t installed = *Shared<volatile std::uint32_t>("hHook");
    EXPECT_NE(installed, 0u);
    // One hook at a time: a second one is refused and changes nothing.
    EXPECT_FALSE(SetHook(notify_, dialog));
    EXPECT_EQ(*Shared<volatile std::uint32_t>("hHook"), installed);

    PostMessageA(dialog, WM_APP, 0, 0);
    ASSERT_TRUE(WaitUntil([] { return submitted > 0; }));
    EXPECT_TRUE(host_.WaitForExit(5000));
    Pump(200);
    EXPECT_EQ(submitted, 1u);
    EXPECT_EQ(*Shared<volatile std::uint32_t>("bMessageSent"), 1u);
    EXPECT_EQ(*Shared<volatile std::uint32_t>("hHook"), 0u);

    char username[80] = {};
    char password[80] = {};
    EXPECT_EQ(GetFormData(username, password), 0);
    EXPECT_STREQ(username, "alice");
    EXPECT_STREQ(password, "s3cret");
    // Taken once: nothing is left in the section that every process can read.
    GetFormData(username, password);
    EXPECT_STREQ(username, "");
    EXPECT_STREQ(password, "");
}

TEST_F(AuthDialogTest, AThirdEditableFieldIsReadAsThePassword) {
    HWND dialog = StartHost("user first second");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SetHook(dialog, notify_));
    PostMessageA(dialog, WM_APP, 0, 0);
    ASSERT_TRUE(WaitUntil([] { return submitted > 0; }));
    char username[80] = {};
    char password[80] = {};
    GetFormData(username, password);
    EXPECT_STREQ(username, "user");
    EXPECT_STREQ(password, "second");
}

TEST_F(AuthDialogTest, FillWritesTheEditableFieldsOnlyAndCutsLongTexts) {
    HWND dialog = StartHost("old ro:keep old old");
    ASSERT_NE(dialog, nullptr);
    const std::string longName(100, 'n');
    EXPECT_TRUE(FillAuthDlg(dialog, longName.c_str(), "pw"));
    EXPECT_EQ(EditTexts(dialog), (std::vector<std::string>{std::string(79, 'n'), "keep", "pw", "pw"}));
    EXPECT_STREQ(Shared<char>("szUsername"), "");
    EXPECT_STREQ(Shared<char>("szPassword"), "");
    EXPECT_FALSE(FillAuthDlg(nullptr, "a", "b"));
}

TEST_F(AuthDialogTest, AWindowThatIsGoneIsNotHooked) {
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(SetHook(gone, notify_));
    EXPECT_EQ(*Shared<volatile std::uint32_t>("hHook"), 0u);
}

}  // namespace
}  // namespace kv::keys
