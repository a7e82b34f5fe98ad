// The rules of the form-data editor that need no window: the texts of its
// rows, which record fields its OK writes or clears, and when it warns first.
#pragma once

#include <string>
#include <vector>

#include "db/Record.h"
#include "transfer/ColumnNames.h"

namespace kv {

// "EditBox", "Password", "Radio button", "Checkbox", "Combobox", "Imported",
// "Authorization Dialog" (both kinds) or "Unknown".
const char* FormFieldTypeText(int type);

// Whether an entry's value is a password: a password input of a page or of
// an authentication dialog, or an entry given the Password column.
bool IsPasswordEntry(const FormField& entry);

// The Value cell: the value, or "*****" for a password that is not empty
// while the setting "Mask" is on.
std::string FormValueText(const FormField& entry, bool mask);

// The Column cell: the field's current name, "Unassigned" for none.
std::string FormColumnText(int column, const FieldNames& names);

// Whether the edited entries or the auto-submit state differ from the record's.
bool FormDataEdited(const Record& record, const std::vector<FormField>& edited, bool autoSubmit);

// The record field that applying the edit would replace or clear although it
// holds text the edit did not come from, or -1. Replaced: a field the edit
// writes with another text, unless it is a row's own unchanged column and
// holds exactly that row's old value. Cleared: a field a row's column moved
// away from that no row holds any more.
int OverwrittenField(const Record& record, const std::vector<FormField>& edited);

// Applies the edit: fields moved away from are cleared, then each row whose
// value or column changed writes its value into its column's field (in list
// order), the entries replace the record's and every entry's auto-submit
// takes `autoSubmit`. `edited` has one entry for each of the record's.
void ApplyFormDataEdit(Record& record, const std::vector<FormField>& edited, bool autoSubmit);

}  // namespace kv
