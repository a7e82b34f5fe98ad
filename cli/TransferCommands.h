// The companion's export to and import from comma-separated text and
// PassCard lists, on the same core as the Import/Export sheet.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kv {

class FileSystem;
class Locale;
struct PasswordDatabase;

struct TransferOptions {
    std::string csv;                   // --csv: the file written or read
    std::string passCards;             // --passcards: the HTML list read
    std::vector<std::string> folders;  // --folders: the folders exported (all when empty)
    std::string folder;                // --folder: the folder imported into
    std::vector<int> fields;           // --fields: the columns exported, in order (all when empty)
    bool folderNames = false;
    bool heading = false;
    bool utf8 = false;
    std::vector<int> order;            // --order: the field of each column, -1 to skip it
    bool orderFromHeading = false;
    bool skipGiven = false;
    std::size_t skip = 0;

    bool Given() const;
};

// Takes the option at `args[i]` (and its value, moving `i` past it) when it
// is one of the transfer options; false otherwise. `error` is set when it is
// one but its value is not valid.
bool TakeTransferOption(const std::vector<std::string>& args, std::size_t& i, TransferOptions& options,
                        std::string& error);

// Checks the options for `export` or `import`: empty when they fit the command.
std::string CheckTransferOptions(const std::string& command, const TransferOptions& options);

// Writes the export file through the transacted save; false with `error` set.
bool ExportToFile(const PasswordDatabase& db, const TransferOptions& options, FileSystem& files,
                  const Locale& locale, std::string& error);

// Reads the import file into the database's folder; false, with nothing
// changed, when the folder or the file is wrong or no record came in.
// `summary` receives what the import did either way.
bool ImportFromFile(PasswordDatabase& db, const TransferOptions& options, FileSystem& files,
                    const Locale& locale, std::string& summary, std::string& error);

}  // namespace kv
