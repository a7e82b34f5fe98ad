#include "transfer/CsvExport.h"

#include "db/RichText.h"
#include "platform/Locale.h"
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

bool ExportCsv(const PasswordDatabase& db, const ExportOptions& options, const FieldNames& names,
               const Locale& locale, const ExportSink& sink) {
    // Pieces of about this size go to the sink, so the buffer stays small and warm.
    constexpr std::size_t kPiece = 1 << 16;
    std::string piece;
    piece.reserve(2 * kPiece);
    const auto flush = [&] {
        const std::optional<SecretString> utf8 = options.utf8 ? locale.AnsiToUtf8(piece) : std::nullopt;
        const bool written = sink(utf8 ? utf8->view() : std::string_view(piece));
        piece.clear();
        return written;
    };
    if (options.utf8 && !sink(kUtf8ByteOrderMark)) return false;
    if (options.heading) {
        bool first = true;
        if (options.folderNames) AppendSeparated(piece, first, "Folder");
        for (int field : options.fields) AppendSeparated(piece, first, names[field]);
        piece += "\r\n";
    }
    for (int index : options.folders) {
        if (index < 0 || static_cast<std::size_t>(index) >= db.Folders.size()) continue;
        const Folder& folder = db.Folders[index];
        if (!folder.present) continue;
        const std::string path = FolderField(folder.path);
        for (const Record& record : folder.records) {
            AppendRecord(piece, record, options.folderNames ? &path : nullptr, options.fields);
            if (piece.size() >= kPiece && !flush()) return false;
        }
    }
    return piece.empty() || flush();
}

std::string ExportCsv(const PasswordDatabase& db, const ExportOptions& options, const FieldNames& names,
                      const Locale& locale) {
    std::string out;
    ExportCsv(db, options, names, locale, [&](std::string_view bytes) {
        out += bytes;
        return true;
    });
    return out;
}

}  // namespace kv
