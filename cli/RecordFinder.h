// The search of "kelvandor-cli search": every record whose chosen fields
// match a text by the editor's rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Database.h"

namespace kv {

class Locale;

struct RecordHit {
    std::size_t folder = 0;  // index into `Folders`
    std::size_t record = 0;  // index into that folder's records
    std::vector<int> fields;  // the fields that match, in field order
};

// Tests the fields given (indexes 0 to 13) of every record of every present
// folder, in array order, with the matching rule of the search options
// (kSearchIgnoreCase, kSearchAnywhere): values by MatchesSearch, the dates by
// their display text, the notes as plain text the way the editor's notes
// search finds a text. `text` is in the ANSI code page.
std::vector<RecordHit> FindRecords(const PasswordDatabase& db, const std::vector<int>& fields,
                                   const std::string& text, std::uint32_t options, const Locale& locale);

}  // namespace kv
