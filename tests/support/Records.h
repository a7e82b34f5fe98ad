// Records as tests write them: a description, a user name and a password;
// form-data entries by type, name, value and form position.
#pragma once

#include <string>

#include "db/Record.h"

namespace kv::test {

inline Record LoginRecord(const std::string& description, const std::string& user = "",
                          const std::string& password = "") {
    Record record;
    record.fields[kDescription] = description;
    record.fields[kUsername] = user;
    record.fields[kPassword] = password;
    return record;
}

inline FormField FormEntry(int type, const std::string& name, const std::string& value, int formIndex) {
    FormField field;
    field.type = type;
    field.name = name;
    field.value = value;
    field.formIndex = formIndex;
    return field;
}

}  // namespace kv::test
