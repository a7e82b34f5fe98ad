// Import of records from comma-separated text into one folder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/Record.h"
#include "transfer/ColumnNames.h"
#include "transfer/TextEncoding.h"

namespace kv {

class Locale;
struct PasswordDatabase;

struct ImportOptions {
    // The field index of each column of the file, -1 to skip the column.
    // Columns beyond the list are ignored; missing ones leave fields empty.
    std::vector<int> order;
    // Lines dropped at the start of the file, empty ones included.
    std::size_t skipLines = 0;
};

enum class SkipReason { AsAsked, BlankLine, NoValues, UnclosedQuote };

struct SkippedRow {
    std::size_t line = 0;  // from 1
    SkipReason reason = SkipReason::AsAsked;
};

// The records to add to the target folder, all at once (one undo level).
struct ImportResult {
    std::vector<Record> records;
    std::vector<SkippedRow> skipped;
    TextEncoding encoding = TextEncoding::Ansi;
    std::size_t unrepresentable = 0;
};

// The texts of the two date columns are read as dates in the locale's way;
// one it cannot read gives an unset date and stays as text.
ImportResult ImportCsv(std::string bytes, const ImportOptions& options, const Locale& locale);

// Appends the records to a present folder and sets the modified flag; false
// (nothing changed) when the index names no present folder.
bool AddImportedRecords(PasswordDatabase& db, int folderIndex, std::vector<Record> records);

// The column order that a heading line proposes: each name matched without
// regard to case to a current column name, or to a name that other password
// managers write (title or name, username or login, password, url, notes,
// email); when no column is named like the description, "title" and "name"
// mean the description. A field is proposed once; other columns are skipped.
std::vector<int> ProposeOrder(const std::vector<std::string>& heading, const FieldNames& names,
                              const Locale& locale);

// The first row of the file's text, for `ProposeOrder`.
std::vector<std::string> HeadingOf(std::string_view bytes, const Locale& locale);

// The message after an import: the count, the rows skipped with their line
// numbers and why, and the characters the code page could not hold.
std::string ImportSummary(const ImportResult& result);

}  // namespace kv
