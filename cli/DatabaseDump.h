// The whole database written as JSON while it is walked: the format of
// "kelvandor-cli dump", which "kelvandor-cli create" reads back.
#pragma once

#include <string>

#include "cli/JsonWriter.h"
#include "db/Database.h"

namespace kv {

class Locale;

// Texts are converted from the ANSI code page to UTF-8; deleted folders are
// left out. Call Finish on `out` afterwards.
void WriteDatabaseJson(const PasswordDatabase& db, const std::string& version, const Locale& locale,
                       json::Writer& out);

}  // namespace kv
