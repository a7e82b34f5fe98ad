// Records as tests write them: a description, a user name and a password;
// form-data entries by type, name, value and form position.
#pragma once

#include <string>

#include "db/Record.h"

namespace kv::test {

// A captured form field given a column (-1: none).
inline FormField ColumnEntry(int type, const std::string& name, const std::string& value, int column = -1) {
    FormField entry;
    entry.type = type;
    entry.name = name;
    entry.value = value;
    entry.column = column;
    return entry;
}

inline Record LoginRecord(const std::string& description, const std::string& user = "",
                          const std::string& password = "") {
    Record record;
    record.fields[kDescription] = description;
    record.fields[kUsername] = user;
    record.fields[kPassword] = password;
    return record;
}

// A captured form field of the form at `formIndex` (-1: any form).
inline FormField FormEntry(int type, const std::string& name, const std::string& value, int formIndex) {
    FormField field;
    field.type = type;
    field.name = name;
    field.value = value;
    field.formIndex = formIndex;
    return field;
}

}  // namespace kv::test
