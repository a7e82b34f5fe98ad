// Records as tests write them: a description, a user name and a password.
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

}  // namespace kv::test
