#include <gtest/gtest.h>

#include "editor/SearchPlacement.h"

namespace kv {
namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 110;

std::string Text(const Box& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + " " + std::to_string(b.Width()) + "x" +
           std::to_string(b.Height());
}

// An editor window at `editor` on a 1024 by 768 screen, its current row
// and lower fields where they are in a window of that size.
SearchSurroundings Around(Box editor, int rowTop) {
    SearchSurroundings around;
    around.workArea = {0, 0, 1024, 768};
    around.editor = editor;
    around.currentRow = {editor.left + 200, rowTop, editor.right - 10, rowTop + 17};
    around.lowerFields = {editor.left + 196, editor.bottom - 170, editor.right - 10, editor.bottom - 20};
    return around;
}

TEST(SearchPlacementTest, BesideTheEditorWhenThereIsRoom) {
    EXPECT_EQ(Text(PlaceSearchDialog(kWidth, kHeight, Around({0, 0, 640, 480}, 100))), "640,0 360x110");
}

TEST(SearchPlacementTest, LeftOfAnEditorAtTheRightEdge) {
    EXPECT_EQ(Text(PlaceSearchDialog(kWidth, kHeight, Around({400, 0, 1024, 480}, 100))), "40,0 360x110");
}

TEST(SearchPlacementTest, AboveOrBelowAnEditorAsWideAsTheScreen) {
    EXPECT_EQ(Text(PlaceSearchDialog(kWidth, kHeight, Around({0, 200, 1024, 600}, 300))), "664,90 360x110");
    EXPECT_EQ(Text(PlaceSearchDialog(kWidth, kHeight, Around({0, 40, 1024, 600}, 60))), "664,600 360x110");
}

TEST(SearchPlacementTest, OverTheGridClearOfTheRowInAMaximisedEditor) {
    // The places beside the editor all land on it: over the grid, clear of the row.
    const SearchSurroundings low = Around({0, 0, 1024, 768}, 300);
    const Box aboveLowRow = PlaceSearchDialog(kWidth, kHeight, low);
    EXPECT_EQ(Text(aboveLowRow), "656,182 360x110");
    EXPECT_FALSE(CoversSearchHits(aboveLowRow, low));
    const SearchSurroundings high = Around({0, 0, 1024, 768}, 90);
    const Box belowHighRow = PlaceSearchDialog(kWidth, kHeight, high);
    EXPECT_EQ(Text(belowHighRow), "656,115 360x110");
    EXPECT_FALSE(CoversSearchHits(belowHighRow, high));
}

TEST(SearchPlacementTest, TheRowComesBeforeTheLowerFieldsWhenNothingIsClear) {
    SearchSurroundings around = Around({0, 0, 400, 300}, 100);
    around.workArea = {0, 0, 400, 300};
    around.lowerFields = {0, 0, 400, 300};  // everywhere
    const Box placed = PlaceSearchDialog(kWidth, kHeight, around);
    EXPECT_TRUE(placed.bottom <= around.currentRow.top || placed.top >= around.currentRow.bottom);
    around.currentRow = {0, 0, 400, 300};
    EXPECT_EQ(Text(PlaceSearchDialog(kWidth, kHeight, around)), "40,0 360x110");
}

TEST(SearchPlacementTest, CoveringTheHits) {
    const SearchSurroundings around = Around({0, 0, 640, 480}, 100);
    EXPECT_TRUE(CoversSearchHits({500, 90, 600, 101}, around));
    EXPECT_TRUE(CoversSearchHits({500, 400, 600, 420}, around));
    EXPECT_FALSE(CoversSearchHits({0, 0, 190, 480}, around));
    SearchSurroundings noRow = around;
    noRow.currentRow = {};
    EXPECT_FALSE(CoversSearchHits({500, 90, 600, 101}, noRow));
}

}  // namespace
}  // namespace kv
