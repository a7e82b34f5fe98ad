#include <gtest/gtest.h>

#include "editor/EditorLayout.h"

namespace kv {
namespace {

PanelBoxes Template() {
    PanelBoxes b;
    b.searchFoldersButton = {130, 6, 154, 30};
    b.treeFrame = {6, 40, 180, 400};
    b.verticalSplitter = {182, 40, 186, 400};
    b.grid = {192, 40, 620, 240};
    b.horizontalSplitter = {186, 250, 630, 251};
    b.launchButton = {192, 258, 216, 282};
    b.url = {220, 262, 400, 282};
    b.emailButton = {404, 258, 428, 282};
    b.email = {432, 262, 620, 282};
    b.notes = {192, 290, 620, 400};
    for (int i = 0; i < 9; ++i) b.recordButtons[i] = {192 + 30 * i, 6, 216 + 30 * i, 30};
    return b;
}

TEST(EditorLayoutTest, SplitterRanges) {
    const Range vertical = VerticalSplitterRange(Template(), 640);
    EXPECT_EQ(vertical.low, 162);
    EXPECT_EQ(vertical.high, 590);
    const Range horizontal = HorizontalSplitterRange(480);
    EXPECT_EQ(horizontal.low, 160);
    EXPECT_EQ(horizontal.high, 420);
}

TEST(EditorLayoutTest, ResizingFillsTheAreas) {
    const PanelBoxes b = LayOutPanel(Template(), 800, 600);
    EXPECT_EQ(b.grid.right, 796);
    EXPECT_EQ(b.grid.bottom, b.horizontalSplitter.top - 8);
    EXPECT_EQ(b.treeFrame.bottom, 592);
    EXPECT_EQ(b.verticalSplitter.top, b.treeFrame.top);
    EXPECT_EQ(b.verticalSplitter.bottom, 600);
    EXPECT_EQ(b.horizontalSplitter.left, b.verticalSplitter.right);
    EXPECT_EQ(b.horizontalSplitter.right, 800);
    EXPECT_EQ(b.notes.bottom, 592);
    EXPECT_EQ(b.notes.right, 796);
    EXPECT_EQ(b.notes.top, 290);
    // The email button is centred right of the splitter; the edits fill beside it.
    EXPECT_EQ(b.emailButton.left, 186 + (800 - 186 - 24) / 2);
    EXPECT_EQ(b.url.left, 220);
    EXPECT_EQ(b.url.right, b.emailButton.left - 4);
    EXPECT_EQ(b.email.left, b.emailButton.right + 4);
    EXPECT_EQ(b.email.right, 796);
}

TEST(EditorLayoutTest, HorizontalSplitterIsPulledBackIntoItsRange) {
    PanelBoxes b = Template();
    b = MoveHorizontalSplitter(b, 100 - b.horizontalSplitter.top);  // above a third of 600
    b = LayOutPanel(b, 800, 600);
    EXPECT_EQ(b.horizontalSplitter.top, 200);
    EXPECT_EQ(b.grid.bottom, 192);
    EXPECT_EQ(b.url.top, 200 + (262 - 250));
}

TEST(EditorLayoutTest, VerticalSplitterMovesTheRightSide) {
    const PanelBoxes before = Template();
    const PanelBoxes b = MoveVerticalSplitter(before, 40);
    EXPECT_EQ(b.verticalSplitter.left, 222);
    EXPECT_EQ(b.treeFrame.right, 220);
    EXPECT_EQ(b.grid.left, 232);
    EXPECT_EQ(b.grid.right, before.grid.right);
    EXPECT_EQ(b.recordButtons[0].left, 232);
    EXPECT_EQ(b.recordButtons[0].Width(), 24);
    EXPECT_EQ(b.notes.left, 232);
    EXPECT_EQ(b.url.right, before.url.right);
}

}  // namespace
}  // namespace kv
