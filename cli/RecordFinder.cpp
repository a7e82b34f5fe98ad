#include "cli/RecordFinder.h"

#include "views/SearchMatch.h"

namespace kv {
namespace {

bool FieldMatches(const Record& record, int field, const std::string& text, std::uint32_t options,
                  const Locale& locale, NotesFinder& notes) {
    switch (field) {
        case kDateAssigned: return MatchesSearch(FormatDate(record.dateAssigned, locale), text, options);
        case kDateExpires: return MatchesSearch(FormatDate(record.dateExpires, locale), text, options);
        case kNotes: {
            const std::string& value = record.fields[kNotes];
            return NotesMightContain(value, text) && notes.Find(value, text, 0, options).has_value();
        }
        default: return MatchesSearch(record.fields[static_cast<std::size_t>(field)], text, options);
    }
}

}  // namespace

std::vector<RecordHit> FindRecords(const PasswordDatabase& db, const std::vector<int>& fields,
                                   const std::string& text, std::uint32_t options, const Locale& locale) {
    PlainTextNotesFinder notes;
    std::vector<RecordHit> hits;
    for (std::size_t f = 0; f < db.Folders.size(); ++f) {
        if (db.Folders[f].present == 0) continue;
        const auto& records = db.Folders[f].records;
        for (std::size_t r = 0; r < records.size(); ++r) {
            RecordHit hit{f, r, {}};
            for (const int field : fields) {
                if (FieldMatches(records[r], field, text, options, locale, notes)) hit.fields.push_back(field);
            }
            if (!hit.fields.empty()) hits.push_back(std::move(hit));
        }
    }
    return hits;
}

}  // namespace kv
