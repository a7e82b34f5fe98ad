// The dump of a database as one text, collected from the writer's pieces in
// a buffer that is wiped.
#pragma once

#include <string>

#include "cli/DatabaseDump.h"
#include "platform/SecretString.h"

namespace kv::test {

inline SecretString DumpText(const PasswordDatabase& db, const Locale& locale, std::size_t* pieces = nullptr) {
    SecretString text;
    json::Writer out([&](std::string_view piece) {
        text.Append(piece);
        if (pieces != nullptr) ++*pieces;
        return true;
    });
    WriteDatabaseJson(db, "7", locale, out);
    out.Finish();
    return text;
}

}  // namespace kv::test
