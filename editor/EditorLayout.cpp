#include "editor/EditorLayout.h"

#include <algorithm>

namespace kv {
namespace {

constexpr int kGap = 8;
constexpr int kMargin = 4;

void ShiftHorizontally(Box& box, int delta) {
    box.left += delta;
    box.right += delta;
}

void ShiftVertically(Box& box, int delta) {
    box.top += delta;
    box.bottom += delta;
}

}  // namespace

Range VerticalSplitterRange(const PanelBoxes& boxes, int panelWidth) {
    return Range{boxes.searchFoldersButton.right + kGap, panelWidth - 50};
}

Range HorizontalSplitterRange(int panelHeight) { return Range{panelHeight / 3, panelHeight - panelHeight / 8}; }

PanelBoxes LayOutPanel(PanelBoxes b, int width, int height) {
    const Range range = HorizontalSplitterRange(height);
    const int clamped = std::clamp(b.horizontalSplitter.top, range.low, std::max(range.low, range.high));
    if (clamped != b.horizontalSplitter.top) b = MoveHorizontalSplitter(b, clamped - b.horizontalSplitter.top);

    b.verticalSplitter.top = b.treeFrame.top;
    b.verticalSplitter.bottom = height;
    b.horizontalSplitter.left = b.verticalSplitter.right;
    b.horizontalSplitter.right = width;

    b.grid.right = width - kMargin;
    b.grid.bottom = b.horizontalSplitter.top - kGap;
    b.treeFrame.bottom = height - kGap;

    // The email button sits in the middle of the area right of the splitter.
    const int areaLeft = b.verticalSplitter.right;
    const int buttonWidth = b.emailButton.Width();
    b.emailButton.left = areaLeft + (width - areaLeft - buttonWidth) / 2;
    b.emailButton.right = b.emailButton.left + buttonWidth;
    b.url.left = b.launchButton.right + kMargin;
    b.url.right = b.emailButton.left - kMargin;
    b.email.left = b.emailButton.right + kMargin;
    b.email.right = width - kMargin;

    b.notes.top = std::max(b.launchButton.bottom, b.url.bottom) + kGap;
    b.notes.bottom = height - kGap;
    b.notes.right = width - kMargin;
    return b;
}

PanelBoxes MoveVerticalSplitter(PanelBoxes b, int delta) {
    ShiftHorizontally(b.verticalSplitter, delta);
    b.treeFrame.right += delta;
    b.horizontalSplitter.left += delta;
    for (Box& button : b.recordButtons) ShiftHorizontally(button, delta);
    ShiftHorizontally(b.launchButton, delta);
    ShiftHorizontally(b.emailButton, delta);
    for (Box* stretched : {&b.grid, &b.notes, &b.url, &b.email}) stretched->left += delta;
    return b;
}

PanelBoxes MoveHorizontalSplitter(PanelBoxes b, int delta) {
    ShiftVertically(b.horizontalSplitter, delta);
    b.grid.bottom += delta;
    for (Box* row : {&b.launchButton, &b.url, &b.emailButton, &b.email}) ShiftVertically(*row, delta);
    return b;
}

}  // namespace kv
