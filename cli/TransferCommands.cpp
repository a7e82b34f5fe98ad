#include "cli/TransferCommands.h"

#include <algorithm>
#include <charconv>

#include "cli/CliUi.h"
#include "db/Database.h"
#include "db/FileCommit.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/SecureWipe.h"
#include "settings/AppSettings.h"
#include "transfer/ColumnNames.h"
#include "transfer/CsvExport.h"
#include "transfer/CsvImport.h"
#include "views/FolderTreeModel.h"
#include "webforms/PassCardImport.h"

namespace kv {
namespace {

std::vector<std::string> SplitAtCommas(const std::string& list) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1) {
        items.push_back(list.substr(start, comma - start));
    }
    items.push_back(list.substr(start));
    return items;
}

bool ParseNumber(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    return fault == std::errc() && stop == end && value >= low && value <= high;
}

// Field indexes 0 to 13, and -1 where `skipAllowed`.
bool ParseFieldList(const std::string& list, bool skipAllowed, std::vector<int>& fields) {
    fields.clear();
    for (const std::string& item : SplitAtCommas(list)) {
        int field = 0;
        if (!ParseNumber(item, skipAllowed ? -1 : 0, kFieldCount - 1, field)) return false;
        fields.push_back(field);
    }
    return true;
}

// A folder named as `dump` shows its path ("Internet~Shopping") or as the
// export writes it ("Internet\Shopping").
int FindFolder(const PasswordDatabase& db, std::string path) {
    std::replace(path.begin(), path.end(), '\\', '~');
    for (std::size_t i = 0; i < db.Folders.size(); ++i) {
        if (db.Folders[i].present != 0 && db.Folders[i].path == path) return static_cast<int>(i);
    }
    return -1;
}

FieldNames DefaultFieldNames() { return CurrentFieldNames(AppSettings()); }

bool ExportOptionsFor(const PasswordDatabase& db, const TransferOptions& options, ExportOptions& out,
                      std::string& error) {
    std::vector<bool> chosen(db.Folders.size(), options.folders.empty());
    for (const std::string& path : options.folders) {
        const int folder = FindFolder(db, path);
        if (folder < 0) {
            error = "no folder " + path + " in the file";
            return false;
        }
        chosen[static_cast<std::size_t>(folder)] = true;
    }
    // The folders go out in the order the export page walks its tree.
    FolderTreeModel tree;
    tree.Build(db.Folders);
    for (const FolderTreeModel::NodeId node : tree.SiblingsFirstOrder()) {
        const int folder = tree.FolderIndex(node);
        if (folder >= 0 && chosen[static_cast<std::size_t>(folder)]) out.folders.push_back(folder);
    }
    out.fields = options.fields;
    if (out.fields.empty()) {
        for (int field = 0; field < kFieldCount; ++field) out.fields.push_back(field);
    }
    out.folderNames = options.folderNames;
    out.heading = options.heading;
    out.utf8 = options.utf8;
    return true;
}

bool ReadWhole(FileSystem& files, const std::string& path, std::string& bytes, std::string& error) {
    FileContents contents;
    if (files.ReadAll(path, contents) != ReadResult::Read) {
        error = path + ": cannot be read: " + files.LastErrorText();
        return false;
    }
    bytes.assign(contents.begin(), contents.end());
    return true;
}

bool ImportCsvFile(PasswordDatabase& db, int folder, const TransferOptions& options, FileSystem& files,
                   const Locale& locale, std::string& summary, std::string& error) {
    std::string bytes;
    if (!ReadWhole(files, options.csv, bytes, error)) return false;
    ImportOptions import;
    import.order = options.order;
    import.skipLines = options.skip;
    if (options.orderFromHeading) {
        import.order = ProposeOrder(HeadingOf(bytes, locale), DefaultFieldNames(), locale);
        // The heading itself is no record.
        if (!options.skipGiven) import.skipLines = 1;
    }
    ImportResult result = ImportCsv(std::move(bytes), import, locale);
    summary = ImportSummary(result);
    if (result.records.empty()) {
        error = options.csv + ": no record was imported";
        return false;
    }
    return AddImportedRecords(db, folder, std::move(result.records));
}

bool ImportPassCardFile(PasswordDatabase& db, int folder, const TransferOptions& options, FileSystem& files,
                        const Locale& locale, std::string& summary, std::string& error) {
    std::string bytes;
    if (!ReadWhole(files, options.passCards, bytes, error)) return false;
    const PassCardImportResult result = ImportPassCards(bytes, db, folder, locale);
    summary = PassCardSummary(result);
    if (!result.valid || result.count == 0) {
        error = options.passCards + ": no PassCard was imported";
        return false;
    }
    return true;
}

}  // namespace

bool TransferOptions::Given() const {
    return !csv.empty() || !passCards.empty() || !folders.empty() || !folder.empty() || !fields.empty() ||
           folderNames || heading || utf8 || !order.empty() || orderFromHeading || skipGiven;
}

bool TakeTransferOption(const std::vector<std::string>& args, std::size_t& i, TransferOptions& options,
                        std::string& error) {
    const std::string& arg = args[i];
    if (arg == "--folder-names") return options.folderNames = true;
    if (arg == "--heading") return options.heading = true;
    if (arg == "--utf8") return options.utf8 = true;
    if (arg == "--order-from-heading") return options.orderFromHeading = true;
    const bool takesValue = arg == "--csv" || arg == "--passcards" || arg == "--folders" || arg == "--folder" ||
                            arg == "--fields" || arg == "--order" || arg == "--skip";
    if (!takesValue) return false;
    if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (arg == "--csv") {
        options.csv = value;
    } else if (arg == "--passcards") {
        options.passCards = value;
    } else if (arg == "--folders") {
        options.folders = SplitAtCommas(value);
    } else if (arg == "--folder") {
        options.folder = value;
    } else if (arg == "--fields") {
        if (!ParseFieldList(value, false, options.fields)) error = "--fields takes field numbers 0 to 13";
    } else if (arg == "--order") {
        if (!ParseFieldList(value, true, options.order)) error = "--order takes field numbers 0 to 13 and -1";
    } else {
        int skip = 0;
        if (!ParseNumber(value, 0, 1000000, skip)) error = "--skip takes a number of lines";
        options.skip = static_cast<std::size_t>(skip);
        options.skipGiven = true;
    }
    return true;
}

std::string CheckTransferOptions(const std::string& command, const TransferOptions& options) {
    if (command == "export") {
        if (options.csv.empty()) return "export needs --csv OUT";
        if (!options.passCards.empty() || !options.folder.empty() || !options.order.empty() ||
            options.orderFromHeading || options.skipGiven) {
            return "--passcards, --folder, --order, --order-from-heading and --skip belong to import";
        }
        return {};
    }
    if (command == "import") {
        if (options.csv.empty() == options.passCards.empty()) return "import needs either --csv IN or --passcards IN";
        if (options.folder.empty()) return "import needs --folder PATH";
        if (!options.folders.empty() || !options.fields.empty() || options.folderNames || options.heading ||
            options.utf8) {
            return "--folders, --fields, --folder-names, --heading and --utf8 belong to export";
        }
        if (!options.csv.empty() && options.order.empty() == !options.orderFromHeading) {
            return "import --csv needs either --order N,... or --order-from-heading";
        }
        if (!options.passCards.empty() && (!options.order.empty() || options.orderFromHeading || options.skipGiven)) {
            return "--order, --order-from-heading and --skip belong to import --csv";
        }
        return {};
    }
    return options.Given() ? "the transfer options belong to export and import" : std::string();
}

bool ExportToFile(const PasswordDatabase& db, const TransferOptions& options, FileSystem& files,
                  const Locale& locale, std::string& error) {
    ExportOptions exportOptions;
    if (!ExportOptionsFor(db, options, exportOptions, error)) return false;
    std::vector<unsigned char> bytes;
    ExportCsv(db, exportOptions, DefaultFieldNames(), locale, [&bytes](std::string_view piece) {
        bytes.insert(bytes.end(), piece.begin(), piece.end());
        return true;
    });
    CliUi ui(false);
    const bool written = CommitFile(files, ui, options.csv, bytes);
    SecureWipe(bytes);
    if (!written) error = ui.error().empty() ? options.csv + ": not written" : ui.error();
    return written;
}

bool ImportFromFile(PasswordDatabase& db, const TransferOptions& options, FileSystem& files,
                    const Locale& locale, std::string& summary, std::string& error) {
    const int folder = FindFolder(db, options.folder);
    if (folder < 0) {
        error = "no folder " + options.folder + " in the file";
        return false;
    }
    return options.passCards.empty() ? ImportCsvFile(db, folder, options, files, locale, summary, error)
                                     : ImportPassCardFile(db, folder, options, files, locale, summary, error);
}

}  // namespace kv
