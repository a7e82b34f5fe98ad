// The application object in this process: start-up, the tray window's
// messages, the editor's close flow, the message box, the shared block.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/PasswordApp.h"
#include "app/TrayWnd.h"
#include "desktop/MessageBox.h"
#include "desktop/RegisteredMessages.h"
#include "editor/EditorDlg.h"
#include "protocol/SharedBlock.h"
#include "tests/ui/support/AppFixture.h"
#include "tests/ui/support/UiHarness.h"
#include "webforms/SharedMemoryBlock.h"

namespace kv {
namespace {

using namespace uitest;

// One application object per test (see AppFixture).
class AppShellTest : public AppFixture {};

TEST_F(AppShellTest, TrayStartCreatesTheHiddenWindowsAndTheIcon) {
    RememberFile("C:\\Data\\Secrets.kv");
    ASSERT_TRUE(app_->InitInstance("Systray"));
    HWND tray = app_->Tray().hwnd();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(TextOf(tray), "Kelvandor");
    EXPECT_EQ(ClassOf(tray), "Kelvandor");
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_TRUE(GetWindowLongPtrA(tray, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(app_->Tray().IconShown());
    EXPECT_EQ(app_->Editor(), nullptr);
    EXPECT_EQ(TextOf(app_->RichEdit()), "KelvandorRichEdit");
    EXPECT_EQ(GetParent(app_->RichEdit()), tray);
    EXPECT_EQ(TextOf(app_->MessageWindow()), "KelvandorDlg");
    EXPECT_TRUE(app_->SharedBlock().IsOpen());
    EXPECT_EQ(app_->Database.FilePath, "C:\\Data\\Secrets.kv");
    EXPECT_TRUE(app_->IsNT);
}

TEST_F(AppShellTest, FirstRunRenamesTheFirstCategoryAndStoresIt) {
    ASSERT_TRUE(app_->InitInstance("systray"));
    EXPECT_EQ(app_->Settings.Init, 1u);
    EXPECT_EQ(app_->Settings.CategoryNames[0], "Email");
    std::unique_ptr<SettingsStore> store = app_->Storage().OpenExisting();
    ASSERT_TRUE(store);
    EXPECT_EQ(store->ReadText("CategoryName0", 256).value_or(""), "Email");
}

TEST_F(AppShellTest, ShowRequestOpensTheEditorAndShutdownQuits) {
    RememberFile("C:\\Data\\Secrets.kv");
    ASSERT_TRUE(app_->InitInstance("systray"));
    EXPECT_EQ(app_->Tray().Send(messages::ShowDlg), 1);
    ASSERT_NE(app_->Editor(), nullptr);
    EXPECT_TRUE(app_->Editor()->IsVisible());
    EXPECT_EQ(app_->Editor()->Text(), "Secrets.kv - Kelvandor");
    EXPECT_EQ(app_->Tray().Send(messages::Shutdown), 0);
    EXPECT_TRUE(app_->Exiting);
    EXPECT_EQ(app_->Editor()->hwnd(), nullptr);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(AppShellTest, ShutdownAsksToSaveWithYesAndNoOnly) {
    RememberFile("C:\\Data\\Secrets.kv");
    ASSERT_TRUE(app_->InitInstance("systray"));
    app_->Database.FileLoaded = 1;
    app_->Database.Modified = true;
    answers_ = {IDNO};
    app_->Tray().Send(messages::Shutdown);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Do you wish to save your changes to Secrets.kv?");
    EXPECT_EQ(shown_[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(AppShellTest, UsersExitCanBeCancelled) {
    RememberFile("C:\\Data\\Secrets.kv");
    ASSERT_TRUE(app_->InitInstance("systray"));
    app_->ShowEditor();
    app_->Database.FileLoaded = 1;
    app_->Database.Modified = true;
    answers_ = {IDCANCEL};
    EXPECT_FALSE(app_->Exit(false));
    EXPECT_EQ(shown_[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_FALSE(app_->Exiting);
    EXPECT_TRUE(app_->Editor()->IsVisible());
    EXPECT_FALSE(QuitPosted());
}

TEST_F(AppShellTest, ClosingTheEditorHidesItWhileTheIconIsShown) {
    RememberFile("C:\\Data\\Secrets.kv");
    ASSERT_TRUE(app_->InitInstance("systray"));
    app_->ShowEditor();
    app_->Database.Modified = true;
    answers_ = {IDCANCEL, IDNO};
    app_->Editor()->Send(WM_CLOSE);
    EXPECT_TRUE(app_->Editor()->IsVisible());
    EXPECT_TRUE(app_->Database.Modified);
    app_->Editor()->Send(WM_CLOSE);
    EXPECT_FALSE(app_->Editor()->IsVisible());
    EXPECT_FALSE(app_->Database.Modified);
    EXPECT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].text, "Do you wish to save your changes?");
    EXPECT_EQ(shown_[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_FALSE(QuitPosted());
    std::unique_ptr<SettingsStore> store = app_->Storage().OpenExisting();
    EXPECT_TRUE(store->ReadText("WindowPosition", 260).has_value());
}

TEST_F(AppShellTest, ClosingTheEditorWithoutIconEndsTheProgram) {
    ASSERT_TRUE(app_->InitInstance(""));
    ASSERT_NE(app_->Editor(), nullptr);
    app_->Tray().RemoveIcon();
    app_->Editor()->Send(WM_CLOSE);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(AppShellTest, EditorCannotShrinkBelowItsFirstSize) {
    ASSERT_TRUE(app_->InitInstance(""));
    HWND editor = app_->Editor()->hwnd();
    MINMAXINFO info{};
    SendMessageA(editor, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_GT(info.ptMinTrackSize.x, 100);
    EXPECT_GT(info.ptMinTrackSize.y, 100);
}

// A first instance of the program in a thread of its own: its tray window
// answers the shutdown request with `answer`, after `delayMs`.
class FirstInstance {
public:
    FirstInstance(LRESULT answer, DWORD delayMs) {
        answer_ = answer;
        delayMs_ = delayMs;
        mutex_ = CreateMutexA(nullptr, FALSE, "Kelvandor");
        thread_ = std::thread([this] {
            threadId_ = GetCurrentThreadId();
            WNDCLASSA wc{};
            wc.lpfnWndProc = Procedure;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = CTrayWnd::kClassName;
            RegisterClassA(&wc);
            window_ = CreateWindowExA(0, CTrayWnd::kClassName, "Kelvandor", 0, 0, 0, 0, 0, nullptr, nullptr,
                                      wc.hInstance, nullptr);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            DestroyWindow(window_);
            UnregisterClassA(CTrayWnd::kClassName, wc.hInstance);
        });
        WaitUntil([this] { return window_ != nullptr; });
    }
    ~FirstInstance() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
        CloseHandle(mutex_);
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != messages::Shutdown) return DefWindowProcA(hwnd, message, wParam, lParam);
        Sleep(delayMs_);
        return answer_;
    }

    static inline LRESULT answer_ = 0;
    static inline DWORD delayMs_ = 0;
    HANDLE mutex_ = nullptr;
    std::atomic<DWORD> threadId_{0};
    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

TEST_F(AppShellTest, ASecondStartSaysSoWhenTheFirstInstanceStays) {
    // The tray window class is ours for the fake first instance.
    UnregisterClassA(CTrayWnd::kClassName, GetModuleHandleA(nullptr));
    FirstInstance first(1, 0);
    EXPECT_FALSE(app_->InitInstance("C:\\Data\\Other.kv"));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_NE(shown_[0].text.find("did not close"), std::string::npos);
}

TEST_F(AppShellTest, ASecondStartWaitsForAHungFirstInstanceOnlyForItsTimeLimit) {
    UnregisterClassA(CTrayWnd::kClassName, GetModuleHandleA(nullptr));
    FirstInstance first(0, 3000);
    app_->SetShutdownTimeout(300);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(app_->InitInstance("C:\\Data\\Other.kv"));
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(AppShellTest, ShutdownAnswersWhetherTheProgramEnds) {
    ASSERT_TRUE(app_->InitInstance("systray"));
    app_->ShowEditor();
    app_->Database.FileLoaded = 1;
    app_->Database.FilePath = "C:\\no such folder\\Secrets.kv";
    app_->Database.Modified = true;
    answers_ = {IDYES};  // and the save fails
    EXPECT_EQ(app_->Tray().Send(messages::Shutdown), 1);
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(app_->Database.Modified);
}

TEST(FocusKeeperTest, AMessageBoxGivesTheKeyboardBackToTheWindowThatAsked) {
    HWND window = CreateWindowExA(0, "STATIC", "Asker", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    DialogAnswerer answerer;
    answerer.Expect("Kelvandor", IDOK);
    ShowMessage("Copied.", MB_OK);
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), edit);
    DestroyWindow(window);
}

TEST(EditorTitleTest, FileNameOrNoFileSelected) {
    EXPECT_EQ(EditorTitle(""), "No file selected - Kelvandor");
    EXPECT_EQ(EditorTitle("C:\\Data\\Secrets.kv"), "Secrets.kv - Kelvandor");
}

TEST(MessageBoxTest, RealBoxHasTheProgramCaptionAndReturnsTheButton) {
    DialogAnswerer answerer;
    answerer.Expect("Kelvandor", IDNO);
    EXPECT_EQ(ShowMessage("Do you wish to save your changes?", MB_YESNO), IDNO);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, "Do you wish to save your changes?");
}

}  // namespace
}  // namespace kv
