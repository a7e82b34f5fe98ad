// The whole database as a JSON document, and back: the format of
// "kelvandor-cli dump" and "kelvandor-cli create".
#pragma once

#include <string>

#include "cli/Json.h"
#include "db/Database.h"

namespace kv {

class Locale;

// Texts are converted from the ANSI code page to UTF-8.
json::Value DatabaseToJson(const PasswordDatabase& db, const std::string& version, const Locale& locale);

// Fills a fresh database from a document; false with `error` set when the
// document does not describe one. Texts are converted from UTF-8 to the ANSI
// code page. `protect` receives the document's "protected" flag.
bool DatabaseFromJson(const json::Value& document, const Locale& locale, PasswordDatabase& db,
                      bool& protect, std::string& error);

}  // namespace kv
