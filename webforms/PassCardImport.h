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

struct PassCardImportResult {
    bool valid = false;  // the file is a PassCard list
    std::size_t count = 0;
    std::size_t unrepresentable = 0;
};

// A card named exactly like a record of the folder replaces that record's
// fields, dates and form data; any other card is appended. Each card is
// assigned the present moment.
PassCardImportResult ImportPassCards(std::string_view bytes, Folder& folder, const Locale& locale);

// The message after the import; empty when the file was refused.
std::string PassCardSummary(const PassCardImportResult& result);

}  // namespace kv
