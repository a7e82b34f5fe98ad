#include "editor/CellEditing.h"

#include <algorithm>

#include "db/Database.h"
#include "views/GridColumns.h"

namespace kv {
namespace {

// "<verb> <column>: <text>", nothing for an empty cell.
std::optional<std::string> CellLabel(const char* verb, const std::string& columnName, const std::string& text) {
    if (text.empty()) return std::nullopt;
    return std::string(verb) + " " + columnName + ": " + text;
}

// The label of a cell that Cut or Clear empties: with the text the cell
// displays, nothing when the field was empty.
std::optional<std::string> EmptiedCellLabel(const char* verb, const std::string& columnName, const Record& record,
                                             int field, bool mask, const Locale& locale) {
    if (record.fields[static_cast<std::size_t>(field)].empty()) return std::nullopt;
    return CellLabel(verb, columnName, CellText(record, field, mask, locale));
}

// The date value behind a field, nullptr for a field that holds only text.
SystemTime* DateOf(Record& record, int field) {
    if (field == kDateAssigned) return &record.dateAssigned;
    if (field == kDateExpires) return &record.dateExpires;
    return nullptr;
}

// Fills an empty Date expires from a set Date assigned when the category
// shows Date expires and expiry days are configured.
bool FillExpiry(Record& record, const CommitContext& context) {
    const bool showsExpiry =
        std::find(context.columns.begin(), context.columns.end(), kDateExpires) != context.columns.end();
    if (!showsExpiry || context.expirationDays == 0) return false;
    if (!record.fields[kDateExpires].empty() || record.fields[kDateAssigned].empty()) return false;
    constexpr std::int64_t kSecondsPerDay = 86400;
    const std::optional<SystemTime> expires =
        AddSeconds(record.dateAssigned, static_cast<std::int64_t>(context.expirationDays) * kSecondsPerDay);
    if (!expires) return false;
    record.dateExpires = *expires;
    record.fields[kDateExpires] = FormatDate(*expires, context.locale);
    return true;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::optional<std::string> EditUndoLabel(const std::string& columnName, const std::string& newText,
                                         const std::string& displayedText) {
    if (newText == displayedText) return std::nullopt;
    return CellLabel("edit", columnName, displayedText);
}

std::optional<std::string> CutUndoLabel(const std::string& columnName, const Record& record, int field, bool mask,
                                        const Locale& locale) {
    return EmptiedCellLabel("delete", columnName, record, field, mask, locale);
}

std::optional<std::string> ClearUndoLabel(const std::string& columnName, const Record& record, int field, bool mask,
                                          const Locale& locale) {
    return EmptiedCellLabel("clear", columnName, record, field, mask, locale);
}

bool CommitCellText(Folder& folder, int row, int field, const std::string& text,
                    const std::optional<SystemTime>& pickedDate, const CommitContext& context) {
    std::vector<Record>& records = folder.records.write();
    if (static_cast<std::size_t>(row) >= records.size()) records.resize(static_cast<std::size_t>(row) + 1);
    Record& record = records[static_cast<std::size_t>(row)];

    SystemTime* date = DateOf(record, field);
    if (date && pickedDate) {
        *date = *pickedDate;
    } else if (date && text.empty()) {
        *date = SystemTime{};  // an emptied date cell (Cut, Clear) has no date
    }
    const std::string stored = date && pickedDate ? FormatDate(*pickedDate, context.locale) : text;
    record.fields[static_cast<std::size_t>(field)] = stored;
    for (FormField& entry : record.formData) {
        if (entry.column == field) entry.value = stored;
    }
    return field == kDateAssigned && FillExpiry(record, context);
}

EditorStart EditorStartText(const std::string& cellText, char typed, bool shift, bool capsLock) {
    if (typed >= '0' && typed <= '9') return {std::string(1, typed), false};
    if (!IsAsciiLetter(typed)) return {cellText, true};
    // Letters differ from their other case in bit 0x20 alone.
    const bool upper = shift || capsLock;
    const char letter = static_cast<char>(upper ? (typed & ~0x20) : (typed | 0x20));
    return {std::string(1, letter), false};
}

}  // namespace kv
