// Turns the PassCards of an HTML list into records of one folder, each
// card's fields kept as form data and classified into the record's columns.
// It lives beside the classifier it uses; the reading is transfer's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "db/Record.h"

namespace kv {

class Locale;

struct PasswordDatabase;

struct PassCardImportResult {
    bool folderValid = false;  // the index names a folder of the database
    bool valid = false;  // the file is a PassCard list
    std::size_t count = 0;
    std::size_t unrepresentable = 0;
};

// A card named exactly like a record of the folder replaces that record's
// fields, dates and form data; any other card is appended. Each card is
// assigned the present moment; each one sets the modified flag.
PassCardImportResult ImportPassCards(std::string_view bytes, PasswordDatabase& db, int folderIndex,
                                     const Locale& locale);

// The message after the import: "Invalid folder index" for a folder that is
// not there, the refusal of a file that is no PassCard list, else the count.
std::string PassCardSummary(const PassCardImportResult& result);

}  // namespace kv
