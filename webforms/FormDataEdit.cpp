#include "webforms/FormDataEdit.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace kv {
namespace {

constexpr char kMaskedValue[] = "*****";

bool ValidField(int column) { return column >= 0 && column < kFieldCount; }

bool HoldsColumn(const std::vector<FormField>& entries, int column) {
    return std::any_of(entries.begin(), entries.end(), [column](const FormField& e) { return e.column == column; });
}

// What applying the edit does to the record's fields: the new text of every
// field it touches, and whether each may be replaced without a warning.
struct FieldChange {
    std::string text;
    bool quiet = true;
};

std::map<int, FieldChange> PlannedChanges(const Record& record, const std::vector<FormField>& edited) {
    std::map<int, FieldChange> changes;
    const std::size_t count = std::min(record.formData.size(), edited.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int before = record.formData[i].column;
        if (ValidField(before) && edited[i].column != before && !HoldsColumn(edited, before)) {
            changes[before] = FieldChange{std::string(), false};
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const FormField& old = record.formData[i];
        const FormField& row = edited[i];
        if (!ValidField(row.column) || (row.value == old.value && row.column == old.column)) continue;
        const std::string& current = record.fields[static_cast<std::size_t>(row.column)];
        const bool ownData = row.column == old.column && current == old.value;
        const auto [change, first] = changes.try_emplace(row.column);
        change->second.quiet = (first || change->second.quiet) && ownData;
        change->second.text = row.value;
    }
    return changes;
}

}  // namespace

const char* FormFieldTypeText(int type) {
    switch (type) {
        case kTextInput:
            return "EditBox";
        case kPasswordInput:
            return "Password";
        case kRadioButton:
            return "Radio button";
        case kCheckBox:
            return "Checkbox";
        case kSelectList:
            return "Combobox";
        case kPassCardField:
            return "Imported";
        case kAuthDialogUsername:
        case kAuthDialogPassword:
            return "Authorization Dialog";
        default:
            return "Unknown";
    }
}

bool IsPasswordEntry(const FormField& entry) {
    return entry.type == kPasswordInput || entry.type == kAuthDialogPassword || entry.column == kPassword;
}

std::string FormValueText(const FormField& entry, bool mask) {
    return mask && !entry.value.empty() && IsPasswordEntry(entry) ? kMaskedValue : entry.value;
}

std::string FormColumnText(int column, const FieldNames& names) {
    return ValidField(column) ? names[static_cast<std::size_t>(column)] : "Unassigned";
}

bool FormDataEdited(const Record& record, const std::vector<FormField>& edited, bool autoSubmit) {
    if (edited.size() != record.formData.size()) return true;
    for (std::size_t i = 0; i < edited.size(); ++i) {
        const FormField& old = record.formData[i];
        if (edited[i].value != old.value || edited[i].column != old.column || (old.autoSubmit != 0) != autoSubmit) {
            return true;
        }
    }
    return false;
}

int OverwrittenField(const Record& record, const std::vector<FormField>& edited) {
    for (const auto& [field, change] : PlannedChanges(record, edited)) {
        const std::string& current = record.fields[static_cast<std::size_t>(field)];
        if (!change.quiet && !current.empty() && current != change.text) return field;
    }
    return -1;
}

void ApplyFormDataEdit(Record& record, const std::vector<FormField>& edited, bool autoSubmit) {
    for (const auto& [field, change] : PlannedChanges(record, edited)) {
        record.fields[static_cast<std::size_t>(field)] = change.text;
    }
    record.formData = edited;
    for (FormField& entry : record.formData) entry.autoSubmit = autoSubmit ? 1 : 0;
}

}  // namespace kv
