// Where the search dialog goes on the screen: clear of the grid's current
// row, where a hit is shown, and of the web address, email and notes below
// the grid, as far as the work area allows. The arithmetic, apart from the
// windows; every box is in screen pixels.
#pragma once

#include "editor/EditorLayout.h"

namespace kv {

struct SearchSurroundings {
    Box workArea;     // of the editor's monitor
    Box editor;       // the editor window
    Box currentRow;   // the grid's current row; empty when there is none
    Box lowerFields;  // the web address, email and notes with their buttons
};

// Whether a dialog at `dialog` covers the current row or the lower fields.
bool CoversSearchHits(const Box& dialog, const SearchSurroundings& around);

// The box of a `width` by `height` dialog, each place moved onto the work
// area: the first of right of the editor, left of it, above it and below it
// that stays off the editor and covers neither the current row nor the lower
// fields; else, over the grid above or below the current row, or one of those
// four places on the editor, that covers neither; else the first of all that
// leaves the current row clear, and failing that right of the editor.
Box PlaceSearchDialog(int width, int height, const SearchSurroundings& around);

}  // namespace kv
