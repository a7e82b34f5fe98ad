// SendKeys typing into a window of this thread, called through the library
// as the program calls it.
#include <gtest/gtest.h>

#include <string>

#include "hooklib/KelvandorKey.h"
#include "tests/ui/support/UiHarness.h"

namespace kv::keys {
namespace {

using namespace uitest;

// A dialog-class window with two edit fields, foreground, focus in the first.
class SendKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExA(0, WC_DIALOG, "Typing target", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100, 420,
                                  140, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        first_ = CreateEdit(1, 10);
        second_ = CreateEdit(2, 50);
        SetForegroundWindow(window_);
        SetFocus(first_);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window_ && GetFocus() == first_; }));
    }

    void TearDown() override {
        DestroyWindow(window_);
        Pump();
    }

    HWND CreateEdit(int id, int top) {
        return CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, top,
                               380, 24, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    // Types `text`, expecting `result`, and returns what the first field holds.
    std::string Typed(const std::string& text, int result = kKeysTyped) {
        EXPECT_EQ(SendKeys(window_, text.c_str()), result) << text;
        return TextOf(first_);
    }

    // Whether anything arrives in the fields for a while after a refusal.
    bool NothingTyped() {
        Pump(300);
        return TextOf(first_).empty() && TextOf(second_).empty();
    }

    HWND window_ = nullptr;
    HWND first_ = nullptr;
    HWND second_ = nullptr;
};

TEST_F(SendKeysTest, TypesEachCharacterWithShiftReleased) {
    EXPECT_EQ(Typed("abc"), "abc");
    EXPECT_EQ(Typed("A"), "abcA");
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_EQ(GetFocus(), first_);
}

TEST_F(SendKeysTest, FinalTabMovesToTheNextField) {
    EXPECT_EQ(Typed("x{TAB}"), "x");
    EXPECT_EQ(GetFocus(), second_);
    SetFocus(first_);
    EXPECT_EQ(Typed("y{tab}"), "xy");
    EXPECT_EQ(GetFocus(), second_);
    EXPECT_EQ(TextOf(second_), "");
}

TEST_F(SendKeysTest, BracesElsewhereAreTypedLiterally) {
    EXPECT_EQ(Typed("{TAB}x"), "{TAB}x");
    EXPECT_EQ(GetFocus(), first_);
    SetWindowTextA(first_, "");
    EXPECT_EQ(Typed("pa{ss}"), "pa{ss}");
}

TEST_F(SendKeysTest, TextNeedingMoreThan1024EntriesTypesNothing) {
    EXPECT_EQ(Typed(std::string(342, 'Q'), kKeysTooLong), "");
    EXPECT_TRUE(NothingTyped());
    EXPECT_EQ(Typed(std::string(341, 'Q')), std::string(341, 'Q'));
}

TEST_F(SendKeysTest, EmptyTextTypesNothing) {
    EXPECT_NE(SendKeys(window_, ""), kKeysTyped);
    EXPECT_NE(SendKeys(window_, nullptr), kKeysTyped);
    EXPECT_TRUE(NothingTyped());
}

// A field that calls SendKeys again while the first call's keys arrive.
int nestedResult = -1;
WNDPROC editProc = nullptr;

LRESULT CALLBACK ReenteringEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && nestedResult == -1) nestedResult = SendKeys(window, "z");
    return CallWindowProcA(editProc, window, message, wParam, lParam);
}

TEST_F(SendKeysTest, CallDuringAPlaybackIsRefused) {
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(first_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReenteringEdit)));
    EXPECT_EQ(Typed("ab"), "ab");
    EXPECT_EQ(nestedResult, kKeysBusy);
    SetWindowLongPtrA(first_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
    EXPECT_EQ(Typed("c"), "abc");
}

}  // namespace
}  // namespace kv::keys
