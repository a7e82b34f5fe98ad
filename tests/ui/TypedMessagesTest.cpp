// The typed entries of the message map hand their handlers the unpacked
// parameters, and a WM_NOTIFY reaches a handler only with a header that
// points at our memory and names a window of the handling thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <thread>

#include "uikit/MessageMap.h"
#include "uikit/Window.h"

namespace kv {
namespace {

constexpr UINT kControlId = 77;

class TypedWindow : public ui::Mapped<TypedWindow, ui::Window> {
public:
    static const ui::MessageMap<TypedWindow>& Messages() {
        static const auto map = ui::MessageMap<TypedWindow>()
                                    .Size(&TypedWindow::OnSize)
                                    .ContextMenu(&TypedWindow::OnContextMenu)
                                    .Mouse(WM_LBUTTONUP, &TypedWindow::OnLeftButtonUp)
                                    .Timer(&TypedWindow::OnTimer)
                                    .DrawItem(&TypedWindow::OnDrawItem)
                                    .MinMaxInfo(&TypedWindow::OnMinMaxInfo)
                                    .Activate(&TypedWindow::OnActivate)
                                    .Notify(kControlId, NM_CLICK, &TypedWindow::OnClick)
                                    .AnyNotify(&TypedWindow::OnAnyNotify);
        return map;
    }
    SIZE size{};
    HWND menuWindow = nullptr;
    POINT menuPoint{};
    POINT clicked{};
    UINT_PTR timer = 0;
    UINT drawnId = 0;
    int draws = 0;
    int minMax = 0;
    int activations = 0;
    bool active = false;
    int clicks = 0;
    UINT otherCode = 0;

private:
    void OnSize(int width, int height) { size = SIZE{width, height}; }
    void OnContextMenu(HWND window, POINT screen) {
        menuWindow = window;
        menuPoint = screen;
    }
    void OnLeftButtonUp(POINT client) { clicked = client; }
    void OnTimer(UINT_PTR id) { timer = id; }
    bool OnDrawItem(UINT id, const DRAWITEMSTRUCT&) {
        drawnId = id;
        ++draws;
        return true;
    }
    void OnMinMaxInfo(MINMAXINFO& info) {
        ++minMax;
        info.ptMinTrackSize = POINT{123, 45};
    }
    void OnActivate(bool isActive, HWND) {
        ++activations;
        active = isActive;
    }
    LRESULT OnClick(NMHDR&) {
        ++clicks;
        return 5;
    }
    LRESULT OnAnyNotify(NMHDR& header) {
        otherCode = header.code;
        return 9;
    }
};

class TypedMessagesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui::Window::RegisterClass("KelvandorTypedWindow"));
        ASSERT_TRUE(window.Create("KelvandorTypedWindow", "Typed", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 100},
                                  nullptr));
        control = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window.hwnd(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), nullptr, nullptr);
        ASSERT_NE(control, nullptr);
    }
    void TearDown() override { window.Destroy(); }

    LRESULT Notify(const NMHDR* header) {
        return window.Send(WM_NOTIFY, kControlId, reinterpret_cast<LPARAM>(header));
    }
    NMHDR Header(UINT code) const { return NMHDR{control, kControlId, code}; }

    TypedWindow window;
    HWND control = nullptr;
};

TEST_F(TypedMessagesTest, TypedEntriesUnpackTheParameters) {
    window.Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(321, 123));
    EXPECT_EQ(window.size.cx, 321);
    EXPECT_EQ(window.size.cy, 123);

    // Points left of and above the primary monitor are negative.
    window.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(-20, -5));
    EXPECT_EQ(window.menuWindow, control);
    EXPECT_EQ(window.menuPoint.x, -20);
    EXPECT_EQ(window.menuPoint.y, -5);
    window.Send(WM_LBUTTONUP, 0, MAKELPARAM(7, 8));
    EXPECT_EQ(window.clicked.x, 7);
    EXPECT_EQ(window.clicked.y, 8);

    window.Send(WM_TIMER, 42);
    EXPECT_EQ(window.timer, 42u);

    window.Send(WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0));
    EXPECT_TRUE(window.active);
    window.Send(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0));
    EXPECT_FALSE(window.active);
}

TEST_F(TypedMessagesTest, StructureMessagesNeedTheirStructure) {
    DRAWITEMSTRUCT item{};
    EXPECT_EQ(window.Send(WM_DRAWITEM, kControlId, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(window.drawnId, kControlId);
    EXPECT_EQ(window.draws, 1);
    EXPECT_EQ(window.Send(WM_DRAWITEM, kControlId, 0), FALSE);
    EXPECT_EQ(window.draws, 1);

    MINMAXINFO info{};
    const int before = window.minMax;
    window.Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(window.minMax, before + 1);
    EXPECT_EQ(info.ptMinTrackSize.x, 123);
    window.Send(WM_GETMINMAXINFO, 0, 0);
    EXPECT_EQ(window.minMax, before + 1);
}

TEST_F(TypedMessagesTest, NotificationsOfOurControlsArrive) {
    const NMHDR click = Header(NM_CLICK);
    EXPECT_EQ(Notify(&click), 5);
    EXPECT_EQ(window.clicks, 1);
    const NMHDR other = Header(NM_DBLCLK);
    EXPECT_EQ(Notify(&other), 9);
    EXPECT_EQ(window.otherCode, static_cast<UINT>(NM_DBLCLK));
}

TEST_F(TypedMessagesTest, UntrustedNotificationsAreRefused) {
    // No header, an address nothing is mapped at, and memory that was released.
    EXPECT_EQ(Notify(nullptr), 0);
    EXPECT_EQ(Notify(reinterpret_cast<const NMHDR*>(static_cast<ULONG_PTR>(0x10))), 0);
    void* released = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(released, nullptr);
    *static_cast<NMHDR*>(released) = Header(NM_CLICK);
    VirtualFree(released, 0, MEM_RELEASE);
    EXPECT_EQ(Notify(static_cast<const NMHDR*>(released)), 0);
    // A header that straddles the end of readable memory.
    auto* page = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(page, nullptr);
    ASSERT_NE(VirtualAlloc(page, 4096, MEM_COMMIT, PAGE_READWRITE), nullptr);
    auto* straddling = reinterpret_cast<NMHDR*>(page + 4096 - 8);
    EXPECT_EQ(Notify(straddling), 0);
    VirtualFree(page, 0, MEM_RELEASE);

    // A header naming no window, or a window of another thread.
    const NMHDR noWindow{reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234)), kControlId, NM_CLICK};
    EXPECT_EQ(Notify(&noWindow), 0);
    HWND foreign = nullptr;
    std::thread([&foreign] {
        foreign = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }).join();
    // The thread has ended, so its window is gone too: a handle that no longer names a window.
    const NMHDR gone{foreign, kControlId, NM_CLICK};
    EXPECT_EQ(Notify(&gone), 0);
    EXPECT_EQ(window.clicks, 0);
    EXPECT_EQ(window.otherCode, 0u);
}

TEST_F(TypedMessagesTest, NotificationNamingAnotherThreadsWindowIsRefused) {
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE finish = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND foreign = nullptr;
    std::thread owner([&] {
        foreign = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetEvent(created);
        WaitForSingleObject(finish, INFINITE);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(created, INFINITE);
    ASSERT_NE(foreign, nullptr);
    const NMHDR header{foreign, kControlId, NM_CLICK};
    EXPECT_EQ(Notify(&header), 0);
    EXPECT_EQ(window.clicks, 0);
    SetEvent(finish);
    owner.join();
    CloseHandle(created);
    CloseHandle(finish);
}

}  // namespace
}  // namespace kv
