// The rules of editing one cell of the record grid: the undo labels of cell
// changes, storing an editor's text in its record, and the text an editor
// starts with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/Record.h"

namespace kv {

class Locale;

// The undo labels of the cell changes, each nothing when no undo level is
// pushed. `columnName` is the title of the cell's column, empty when there is
// no current column.
//
// Committing an editor: "edit <column>: <old text>" when the editor's text
// differs from the text the cell displayed ("*****" for a masked password)
// and that text was not empty; filling an empty cell pushes no level.
std::optional<std::string> EditUndoLabel(const std::string& columnName, const std::string& newText,
                                         const std::string& displayedText);
// Cut (and Delete on a cell): "delete <column>: <text>" when field `field`
// of the record is not empty, <text> being what the cell displays (CellText):
// a masked password shows as the mask, never as itself.
std::optional<std::string> CutUndoLabel(const std::string& columnName, const Record& record, int field, bool mask,
                                        const Locale& locale);
// Clear: "clear <column>: <text>", as for Cut.
std::optional<std::string> ClearUndoLabel(const std::string& columnName, const Record& record, int field, bool mask,
                                          const Locale& locale);

// What committing an editor needs to know besides the folder.
struct CommitContext {
    const std::vector<int>& columns;  // the grid columns of the folder's category (GridColumns)
    std::uint32_t expirationDays;     // the ExpirationDays setting
    const Locale& locale;
};

// Stores a cell's new text (an editor's, or that of Cut, Clear or Paste) in
// field `field` of record `row` of `folder`, appending empty records first
// when the row lies beyond the last record. Every form-data entry linked to
// the field gets the text as its value. For the date editor, `pickedDate` is
// its date: it becomes the field's date value and the field's text is that
// date's display text; an empty text without a date unsets the date value.
// When the Date assigned of a record without a Date expires is set, the
// category shows Date expires and expirationDays is above 0, Date expires
// becomes the assigned date plus that many days. Returns whether Date expires
// was filled so, for the caller to show it.
bool CommitCellText(Folder& folder, int row, int field, const std::string& text,
                    const std::optional<SystemTime>& pickedDate, const CommitContext& context);

// How an editor opened by a typed key starts.
struct EditorStart {
    std::string text;
    bool selectAll;  // the whole text is selected, else the caret follows it
};

// A letter or digit replaces the cell's text by itself: lower case unless
// Shift is down, upper case also when Caps Lock is on. Any other key keeps the
// cell's text (the real password for a masked cell), all selected.
EditorStart EditorStartText(const std::string& cellText, char typed, bool shift, bool capsLock);

}  // namespace kv
