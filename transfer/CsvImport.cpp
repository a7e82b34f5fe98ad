#include "transfer/CsvImport.h"

#include <algorithm>
#include <array>
#include <utility>

#include "db/Database.h"
#include "platform/Locale.h"
#include "transfer/Csv.h"

namespace kv {
namespace {

void StoreDates(Record& record, const Locale& locale) {
    record.dateAssigned = locale.ParseDateTime(record.fields[kDateAssigned]);
    record.dateExpires = locale.ParseDateTime(record.fields[kDateExpires]);
}

const char* ReasonText(SkipReason reason) {
    switch (reason) {
        case SkipReason::AsAsked: return "skipped as asked";
        case SkipReason::BlankLine: return "empty line";
        case SkipReason::NoValues: return "no value in the imported columns";
        case SkipReason::UnclosedQuote: return "a quoted value is not closed before the end of the file";
    }
    return "";
}

}  // namespace

ImportResult ImportCsv(std::string bytes, const ImportOptions& options, const Locale& locale) {
    DecodedText decoded = DecodeToAnsi(std::move(bytes), locale);
    ImportResult result;
    result.encoding = decoded.encoding;
    result.unrepresentable = decoded.unrepresentable;
    // One record a line at most: reserving spares moving the records as they grow.
    result.records.reserve(static_cast<std::size_t>(std::count(decoded.text.begin(), decoded.text.end(), '\n')) + 1);
    CsvReader reader(decoded.text);
    for (std::size_t i = 0; i < options.skipLines; ++i) {
        const std::size_t line = reader.Line();
        if (!reader.SkipLine()) break;
        result.skipped.push_back({line, SkipReason::AsAsked});
    }
    CsvRow row;
    while (reader.Next(row)) {
        if (row.blank) {
            result.skipped.push_back({row.line, SkipReason::BlankLine});
            continue;
        }
        if (row.unterminated) {
            result.skipped.push_back({row.line, SkipReason::UnclosedQuote});
            continue;
        }
        // Filled where it stands in the result, so no record is moved.
        Record& record = result.records.emplace_back();
        const std::size_t columns = std::min(row.fields.size(), options.order.size());
        for (std::size_t i = 0; i < columns; ++i) {
            const int field = options.order[i];
            if (field >= 0 && field < kFieldCount) record.fields[field] = std::move(row.fields[i]);
        }
        if (IsEntirelyEmpty(record)) {
            result.records.pop_back();
            result.skipped.push_back({row.line, SkipReason::NoValues});
            continue;
        }
        StoreDates(record, locale);
    }
    return result;
}

bool AddImportedRecords(PasswordDatabase& db, int folderIndex, std::vector<Record> records) {
    if (folderIndex < 0 || static_cast<std::size_t>(folderIndex) >= db.Folders.size() ||
        !db.Folders[folderIndex].present) {
        return false;
    }
    std::vector<Record>& target = db.Folders[folderIndex].records.write();
    target.insert(target.end(), std::make_move_iterator(records.begin()), std::make_move_iterator(records.end()));
    db.Modified = true;
    return true;
}

std::vector<int> ProposeOrder(const std::vector<std::string>& heading, const FieldNames& names,
                              const Locale& locale) {
    struct Alias {
        const char* name;
        int field;
    };
    static constexpr std::array<Alias, 8> kAliases{{{"title", kDescription}, {"name", kDescription},
                                                    {"username", kUsername}, {"login", kUsername},
                                                    {"password", kPassword}, {"url", kUrl},
                                                    {"notes", kNotes}, {"email", kEmail}}};
    const auto same = [&](std::string_view a, std::string_view b) { return locale.CompareNoCase(a, b) == 0; };
    bool descriptionNamed = false;
    for (const std::string& name : heading) descriptionNamed = descriptionNamed || same(name, names[kDescription]);

    std::array<bool, kFieldCount> taken{};
    std::vector<int> order;
    for (const std::string& name : heading) {
        int field = -1;
        if (!descriptionNamed && (same(name, "title") || same(name, "name"))) field = kDescription;
        for (int f = 0; field < 0 && f < kFieldCount; ++f) {
            if (!taken[f] && same(name, names[f])) field = f;
        }
        for (const Alias& alias : kAliases) {
            if (field < 0 && !taken[alias.field] && same(name, alias.name)) field = alias.field;
        }
        if (field >= 0 && taken[field]) field = -1;
        if (field >= 0) taken[field] = true;
        order.push_back(field);
    }
    return order;
}

std::vector<std::string> HeadingOf(std::string_view bytes, const Locale& locale) {
    const DecodedText decoded = DecodeToAnsi(std::string(bytes), locale);
    CsvReader reader(decoded.text);
    CsvRow row;
    reader.Next(row);
    return row.fields;
}

std::string ImportSummary(const ImportResult& result) {
    std::string text;
    if (result.records.empty()) {
        text = "There were no records imported.";
    } else {
        text = std::to_string(result.records.size()) + " records were imported.";
    }
    std::size_t dropped = 0;
    for (const SkippedRow& row : result.skipped) dropped += row.reason != SkipReason::AsAsked;
    if (result.records.empty() && dropped > 0) text += " Every row of the file was skipped.";
    if (!result.skipped.empty()) text += "\n\nRows not imported:";
    constexpr std::size_t kListed = 20;
    for (std::size_t i = 0; i < result.skipped.size() && i < kListed; ++i) {
        text += "\nLine " + std::to_string(result.skipped[i].line) + ": " + ReasonText(result.skipped[i].reason);
    }
    if (result.skipped.size() > kListed) {
        text += "\n... and " + std::to_string(result.skipped.size() - kListed) + " more.";
    }
    text += UnrepresentableNote(result.unrepresentable);
    return text;
}

}  // namespace kv
