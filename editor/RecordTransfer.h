// The rules of the grid's operations on whole records: deleting records, and
// copying or moving them to another folder by dragging.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "db/Record.h"

namespace kv {

// Undo labels of copying and moving records.
inline constexpr char kCopyRecordsLabel[] = "Copy records";
inline constexpr char kMoveRecordsLabel[] = "Move records";

// The question asked before deleting `rows` of `folder`; `firstColumnText` is
// the text of the first column of a single row. Nothing when a single,
// entirely empty record is deleted without asking.
std::optional<std::string> DeleteQuestion(const Folder& folder, const std::vector<int>& rows,
                                          const std::string& firstColumnText);

// "delete record" for one row, "delete records" for several.
std::string DeleteUndoLabel(std::size_t rowCount);

// Deletes the records at `rows` (in any order, repeats and rows that do not
// exist ignored) and returns the current row that follows: `currentRow`, the
// last row when that is now past the end, -1 when no record is left.
int DeleteRecords(Folder& folder, const std::vector<int>& rows, int currentRow);

// A drag of records starts only on a row whose record is not entirely empty.
bool CanStartDrag(const Folder& folder, int row);

// Copies the records at `rows` of `source` to `target`, in selection order and
// each row once, every copy whole (fields, dates, form data). A copy takes the
// place of the target's last record when that is entirely empty, and is
// appended otherwise. A move then deletes exactly those records from the
// source. `source` and `target` are different folders.
void TransferRecords(Folder& source, const std::vector<int>& rows, Folder& target, bool move);

}  // namespace kv
