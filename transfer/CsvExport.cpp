#include "transfer/CsvExport.h"

#include "db/RichText.h"
#include "transfer/Csv.h"
#include "transfer/TextEncoding.h"

namespace kv {
namespace {

std::string FolderField(const std::string& path) {
    std::string field = path;
    for (char& c : field) {
        if (c == kPathSeparator) c = '\\';
    }
    return field;
}

void AppendSeparated(std::string& line, bool& first, std::string_view value) {
    if (!first) line += ',';
    first = false;
    AppendCsvField(line, value);
}

void AppendRecord(std::string& out, const Record& record, const std::string* folder,
                  const std::vector<int>& fields) {
    std::size_t total = 0;
    for (int field : fields) total += record.fields[field].size();
    if (total == 0) return;
    bool first = true;
    if (folder) AppendSeparated(out, first, *folder);
    for (int field : fields) {
        if (field == kNotes && IsRichText(record.fields[field])) {
            const SecretString plain = PlainTextOf(record.fields[field]);
            AppendSeparated(out, first, plain.view());
        } else {
            AppendSeparated(out, first, record.fields[field]);
        }
    }
    out += "\r\n";
}

}  // namespace

std::string ExportCsv(const PasswordDatabase& db, const ExportOptions& options, const FieldNames& names,
                      const Locale& locale) {
    // The size of the text without doubled quotes, so that it grows at most once.
    std::size_t estimate = 0;
    for (int index : options.folders) {
        if (index < 0 || static_cast<std::size_t>(index) >= db.Folders.size()) continue;
        for (const Record& record : db.Folders[index].records) {
            estimate += db.Folders[index].path.size() + 3 * options.fields.size() + 5;
            for (int field : options.fields) estimate += record.fields[field].size();
        }
    }
    std::string out;
    out.reserve(estimate);
    if (options.heading) {
        bool first = true;
        if (options.folderNames) AppendSeparated(out, first, "Folder");
        for (int field : options.fields) AppendSeparated(out, first, names[field]);
        out += "\r\n";
    }
    for (int index : options.folders) {
        if (index < 0 || static_cast<std::size_t>(index) >= db.Folders.size()) continue;
        const Folder& folder = db.Folders[index];
        if (!folder.present) continue;
        const std::string path = FolderField(folder.path);
        for (const Record& record : folder.records) {
            AppendRecord(out, record, options.folderNames ? &path : nullptr, options.fields);
        }
    }
    return options.utf8 ? EncodeUtf8WithBom(out, locale) : out;
}

}  // namespace kv
