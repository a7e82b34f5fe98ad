// Writes a database as a real password file, for tests that start the
// program on one.
#pragma once

#include <string>
#include <string_view>

#include "db/Database.h"

namespace kv::test {

// Returns whether the file was written; an empty password writes it
// without protection.
bool WriteDatabaseFile(const std::string& path, std::string_view password, PasswordDatabase db);

}  // namespace kv::test
