// A database from a JSON document: the format of "kelvandor-cli create",
// which is that of "kelvandor-cli dump".
#pragma once

#include <string>

#include "cli/Json.h"
#include "db/Database.h"

namespace kv {

class Locale;

// Fills a fresh database from a document; false with `error` set when the
// document does not describe one. Texts are converted from UTF-8 to the ANSI
// code page. `protect` receives the document's "protected" flag.
bool DatabaseFromJson(const json::Value& document, const Locale& locale, PasswordDatabase& db,
                      bool& protect, std::string& error);

}  // namespace kv
