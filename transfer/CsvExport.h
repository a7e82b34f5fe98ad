// Export of records to comma-separated text.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Database.h"
#include "transfer/ColumnNames.h"

namespace kv {

class Locale;

struct ExportOptions {
    // Indexes into `Folders` in the order the folders are written; absent
    // folders are passed over.
    std::vector<int> folders;
    // Field indexes 0 to 13 in the order of the columns; the export page
    // offers them in index order.
    std::vector<int> fields;
    // A first column with the folder's path, its "~" written as "\".
    bool folderNames = false;
    // A first line with "Folder" and the column names.
    bool heading = false;
    // UTF-8 with a byte-order mark instead of the ANSI code page.
    bool utf8 = false;
};

// Receives the file's bytes piece by piece; false stops the export.
using ExportSink = std::function<bool(std::string_view bytes)>;

// Writes the file's bytes to the sink. A record whose chosen fields are all
// empty is left out; the notes are written as their plain text. False when
// the sink refused a piece (nothing more is written).
bool ExportCsv(const PasswordDatabase& db, const ExportOptions& options, const FieldNames& names,
               const Locale& locale, const ExportSink& sink);

// The file's bytes as one text.
std::string ExportCsv(const PasswordDatabase& db, const ExportOptions& options, const FieldNames& names,
                      const Locale& locale);

}  // namespace kv
