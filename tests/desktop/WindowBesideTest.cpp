#include <gtest/gtest.h>

#include "desktop/WindowBeside.h"

namespace kv {
namespace {

const ScreenRect kWorkArea{0, 0, 1280, 984};

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(WindowBesideTest, KeepOnWorkAreaMovesAWindowBackWithoutResizingIt) {
    const ScreenRect moved = KeepOnWorkArea({1200, 900, 1480, 1080}, kWorkArea);
    EXPECT_EQ(moved.left, 1000);
    EXPECT_EQ(moved.top, 804);
    EXPECT_EQ(moved.right, 1280);
    EXPECT_EQ(moved.bottom, 984);
    const ScreenRect pulled = KeepOnWorkArea({-50, -20, 230, 160}, kWorkArea);
    EXPECT_EQ(pulled.left, 0);
    EXPECT_EQ(pulled.top, 0);
    // Larger than the work area: its top-left corner stays on it.
    const ScreenRect large = KeepOnWorkArea({100, 100, 1500, 1100}, kWorkArea);
    EXPECT_EQ(large.left, 0);
    EXPECT_EQ(large.top, 0);
}

TEST(WindowBesideTest, GoesRightOfTheRectangleWhenThereIsRoom) {
    const ScreenPoint at = PlaceBeside({100, 200, 300, 400}, 250, 150, kWorkArea);
    EXPECT_EQ(at.x, 300);
    EXPECT_EQ(at.y, 200);
}

TEST(WindowBesideTest, BesideATrayDialogInTheBottomRightCornerItGoesLeftOnTheWorkArea) {
    // The tray dialog's tree near the corner above a bottom taskbar.
    const ScreenRect tree{1092, 817, 1265, 984};
    const ScreenPoint at = PlaceBeside(tree, 300, 180, kWorkArea);
    EXPECT_EQ(at.x, 792);
    EXPECT_EQ(at.y, 804);
    EXPECT_FALSE(Overlap({at.x, at.y, at.x + 300, at.y + 180}, tree));
}

TEST(WindowBesideTest, NoSideWithRoomTakesTheRoomiestOnTheWorkArea) {
    const ScreenRect wide{10, 10, 1270, 974};
    const ScreenPoint at = PlaceBeside(wide, 300, 180, kWorkArea);
    EXPECT_GE(at.x, 0);
    EXPECT_GE(at.y, 0);
    EXPECT_LE(at.x + 300, 1280);
    EXPECT_LE(at.y + 180, 984);
}

}  // namespace
}  // namespace kv
