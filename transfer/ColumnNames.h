// The current names of the fourteen record fields, as the export's heading,
// the import's column list and the report print them.
#pragma once

#include <array>
#include <string>

#include "db/Record.h"
#include "settings/AppSettings.h"

namespace kv {

using FieldNames = std::array<std::string, kFieldCount>;

// Columns 0 to 11 by their names in the settings, 12 and 13 by their fixed names.
FieldNames CurrentFieldNames(const AppSettings& settings);

}  // namespace kv
