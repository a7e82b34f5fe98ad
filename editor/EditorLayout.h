// Where the controls of the editor panel go when it is resized or a splitter
// moves: the arithmetic, apart from the windows.
#pragma once

namespace kv {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The panel's controls that the layout moves, in the panel's client pixels.
struct PanelBoxes {
    Box searchFoldersButton;  // the last folder button: the vertical splitter stays right of it
    Box treeFrame;
    Box verticalSplitter;
    Box grid;
    Box horizontalSplitter;
    Box launchButton;
    Box url;
    Box emailButton;
    Box email;
    Box notes;
    Box recordButtons[9];  // add, delete, edit, search, generate, import, export, report, form data
};

struct Range {
    int low = 0;
    int high = 0;
};

// The vertical splitter stays between 8 pixels right of the "Search folders"
// button and 50 pixels left of the panel's right edge.
Range VerticalSplitterRange(const PanelBoxes& boxes, int panelWidth);

// The horizontal splitter stays between a third of the panel's height and
// the height less an eighth of it.
Range HorizontalSplitterRange(int panelHeight);

// Lays the panel out for its size: splitters span their areas (the
// horizontal one pulled back into its range with the controls it governs),
// the grid, tree frame, lower row and notes fill what is theirs.
PanelBoxes LayOutPanel(PanelBoxes boxes, int panelWidth, int panelHeight);

// Moving the vertical splitter by `delta` moves everything right of it:
// buttons shift, the grid, edits and notes keep their right edges.
PanelBoxes MoveVerticalSplitter(PanelBoxes boxes, int delta);

// Moving the horizontal splitter by `delta` moves the grid's bottom and the
// row of the web address and email by as much.
PanelBoxes MoveHorizontalSplitter(PanelBoxes boxes, int delta);

}  // namespace kv
