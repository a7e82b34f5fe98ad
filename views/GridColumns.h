// The columns of the record grid for a folder's category, and the text of a
// cell as the grid shows it.
#pragma once

#include <string>
#include <vector>

#include "db/Record.h"
#include "settings/AppSettings.h"

namespace kv {

class Locale;

// The field indexes of a category's column list, empty slots left out.
std::vector<int> GridColumns(const AppSettings& settings, Category category);

// What the grid shows for a field: dates in the short date format, a
// password as "*****" (whatever its length, nothing when empty) while masking.
std::string CellText(const Record& record, int field, bool mask, const Locale& locale);
// Whether a field holds anything to show (a date counts once it is set).
bool HasCellText(const Record& record, int field);

}  // namespace kv
