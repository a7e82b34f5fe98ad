#include "cli/SearchCommand.h"

#include <optional>

#include "cli/FileText.h"
#include "cli/JsonWriter.h"
#include "cli/RecordFinder.h"
#include "cli/StandardOutput.h"
#include "platform/Locale.h"

namespace kv {
namespace {

bool WriteJson(const PasswordDatabase& db, const std::vector<RecordHit>& hits, const SearchRequest& request,
               const Locale& locale) {
    json::Writer out(WriteToStandardOutput);
    const auto text = [&](const std::string& ansi) { out.String(Utf8Text(locale, ansi).view()); };
    out.BeginArray();
    for (const RecordHit& hit : hits) {
        const Record& record = db.Folders[hit.folder].records[hit.record];
        out.BeginObject();
        out.Key("folder");
        text(db.Folders[hit.folder].path);
        out.Key("description");
        text(record.fields[kDescription]);
        out.Key("fields");
        out.BeginArray(true);
        for (const int field : hit.fields) out.Integer(field);
        out.EndArray();
        if (request.showPasswords) {
            out.Key("password");
            text(record.fields[kPassword]);
        }
        out.EndObject();
    }
    out.EndArray();
    return out.Finish();
}

// One line a hit: folder path, tab, description (tab, password).
bool WriteLines(const PasswordDatabase& db, const std::vector<RecordHit>& hits, const SearchRequest& request,
                const Locale& locale) {
    constexpr std::size_t kPieceSize = 64 * 1024;
    SecretString pending;
    bool ok = true;
    const auto text = [&](const std::string& ansi) { pending.Append(Utf8Text(locale, ansi).view()); };
    for (const RecordHit& hit : hits) {
        const Record& record = db.Folders[hit.folder].records[hit.record];
        text(db.Folders[hit.folder].path);
        pending.Append('\t');
        text(record.fields[kDescription]);
        if (request.showPasswords) {
            pending.Append('\t');
            text(record.fields[kPassword]);
        }
        pending.Append('\n');
        if (pending.size() >= kPieceSize) {
            ok = ok && WriteToStandardOutput(pending.view());
            pending.Clear();
        }
    }
    return ok && WriteToStandardOutput(pending.view());
}

}  // namespace

std::vector<int> AllFields() {
    std::vector<int> fields;
    for (int field = 0; field < kFieldCount; ++field) fields.push_back(field);
    return fields;
}

SearchOutcome RunSearch(const PasswordDatabase& db, const SearchRequest& request, const Locale& locale) {
    const std::optional<SecretString> text = locale.Utf8ToAnsi(request.text);
    if (!text) return SearchOutcome::TextNotAnsi;
    const std::vector<RecordHit> hits =
        FindRecords(db, request.fields, std::string(text->view()), request.options, locale);
    const bool written = request.json ? WriteJson(db, hits, request, locale) : WriteLines(db, hits, request, locale);
    if (!written) return SearchOutcome::WriteFailed;
    return hits.empty() ? SearchOutcome::NoHits : SearchOutcome::Hits;
}

}  // namespace kv
