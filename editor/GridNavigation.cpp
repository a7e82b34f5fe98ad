#include "editor/GridNavigation.h"

#include <algorithm>

namespace kv {
namespace {

constexpr Cell kNoCell{-1, -1};

MoveTarget Nowhere() { return {MoveTarget::Kind::None, kNoCell}; }

// The cell (row, column), or nowhere when the row does not exist.
MoveTarget CellAt(int row, int column, int rowCount) {
    if (row < 0 || row >= rowCount) return Nowhere();
    return {MoveTarget::Kind::Cell, {row, column}};
}

}  // namespace

MoveTarget Navigate(Cell current, GridMove move, int rowCount, int columnCount, bool lastRecordEmpty,
                    int rowsPerPage) {
    if (rowCount <= 0 || columnCount <= 0) return Nowhere();
    const int lastRow = rowCount - 1;
    const int lastColumn = columnCount - 1;
    if (move == GridMove::First) return CellAt(0, 0, rowCount);
    if (move == GridMove::Last) return CellAt(lastRow, 0, rowCount);
    // Every other move starts from a cell of the grid.
    const int row = current.row;
    const int column = current.column;
    if (row < 0 || row > lastRow || column < 0 || column > lastColumn) return Nowhere();
    const int halfPage = rowsPerPage / 2;
    switch (move) {
        case GridMove::Next:
            if (column < lastColumn) return CellAt(row, column + 1, rowCount);
            return {MoveTarget::Kind::WebAddress, current};
        case GridMove::Previous:
            if (row == 0 && column == 0) return {MoveTarget::Kind::Tree, kNoCell};
            [[fallthrough]];
        case GridMove::Left:  // as Previous, but going nowhere from (0, 0)
            return column > 0 ? CellAt(row, column - 1, rowCount) : CellAt(row - 1, lastColumn, rowCount);
        case GridMove::Right:
            return column < lastColumn ? CellAt(row, column + 1, rowCount) : CellAt(row + 1, 0, rowCount);
        case GridMove::Up:
            return CellAt(row - 1, column, rowCount);
        case GridMove::Down:
            if (row < lastRow) return CellAt(row + 1, column, rowCount);
            if (lastRecordEmpty) return Nowhere();
            return {MoveTarget::Kind::AddRecord, {rowCount, 0}};
        case GridMove::WheelDown:
            return CellAt(row + 1, column, rowCount);
        case GridMove::Home:
            return CellAt(row, 0, rowCount);
        case GridMove::End:
            return CellAt(row, lastColumn, rowCount);
        case GridMove::PageUp:
            return CellAt(std::max(row - halfPage, 0), column, rowCount);
        case GridMove::PageDown:
            return CellAt(std::min(row + halfPage, lastRow), column, rowCount);
        case GridMove::First:
        case GridMove::Last:
            break;
    }
    return Nowhere();
}

MoveTarget AfterTree(int rememberedRow, int rowCount) {
    const int row = rememberedRow + 1 < rowCount ? rememberedRow + 1 : 0;
    return CellAt(std::max(row, 0), 0, rowCount);
}

}  // namespace kv
