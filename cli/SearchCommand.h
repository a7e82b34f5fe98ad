// "kelvandor-cli search": prints the folder path and description of every
// record that matches, as lines or as JSON.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/Database.h"
#include "views/SearchMatch.h"

namespace kv {

class Locale;

// Every field, the default of --fields.
std::vector<int> AllFields();

struct SearchRequest {
    std::string text;                      // UTF-8, as typed
    std::vector<int> fields = AllFields();  // the fields to test
    // The editor's default: letter case ignored, the text anywhere in a value.
    std::uint32_t options = kSearchIgnoreCase | kSearchAnywhere;
    bool json = false;
    bool showPasswords = false;  // passwords are printed only when asked for
};

enum class SearchOutcome { Hits, NoHits, TextNotAnsi, WriteFailed };

// Searches and writes the hits to standard output.
SearchOutcome RunSearch(const PasswordDatabase& db, const SearchRequest& request, const Locale& locale);

}  // namespace kv
