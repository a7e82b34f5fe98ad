// Where the keys that move between cells lead in the record grid: Tab,
// Shift+Tab, Enter, the arrows, Home, End and the page keys.
#pragma once

namespace kv {

// A grid cell; (-1, -1) is no cell.
struct Cell {
    int row;
    int column;
};

enum class GridMove {
    Next,      // Tab, or Enter in an open editor
    Previous,  // Shift+Tab, Shift+Enter
    Right,
    Left,
    Up,
    Down,
    WheelDown,  // the mouse wheel: the next row, never a new record
    Home,
    End,
    First,  // Ctrl+Home
    Last,   // Ctrl+End
    PageUp,
    PageDown,
};

struct MoveTarget {
    enum class Kind {
        Cell,        // make `cell` current
        WebAddress,  // commit, remember the row of `cell` and focus the web address field
        Tree,        // focus the folder tree with no current cell
        AddRecord,   // add a record and open the editor on its first cell
        None,        // do nothing
    };
    Kind kind;
    Cell cell;
};

// Where `move` leads from `current` in a grid of `rowCount` rows and
// `columnCount` columns. `lastRecordEmpty` tells whether the folder's last
// record is empty (then Down on the last row adds none); the page keys move by
// half of `rowsPerPage`, the rows the grid shows at once. A move to a row that
// does not exist leads nowhere.
MoveTarget Navigate(Cell current, GridMove move, int rowCount, int columnCount, bool lastRecordEmpty,
                    int rowsPerPage);

// Where Tab from the folder tree leads after Tab left the grid on
// `rememberedRow` (-1 for none): the first column of the next row, or of the
// first row after the last one; nowhere when the grid has no rows.
MoveTarget AfterTree(int rememberedRow, int rowCount);

}  // namespace kv
