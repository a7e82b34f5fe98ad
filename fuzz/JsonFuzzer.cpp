// libFuzzer target: the JSON parser and the database it describes. Whatever
// parses is written and parses again to the same text; a document that
// describes a database gives, through the database, a document that does too.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/DatabaseJson.h"
#include "cli/JsonWriter.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/DumpText.h"
#include "tests/support/FixedLocale.h"

namespace {

// The document of the database a document describes, or "" when it describes none.
kv::SecretString DatabaseDocument(const kv::json::Value& document, const kv::Locale& locale) {
    kv::PasswordDatabase db;
    bool protect = false;
    std::string error;
    if (!kv::DatabaseFromJson(document, locale, db, protect, error)) return {};
    return kv::test::DumpText(db, locale);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<kv::json::Value> parsed = kv::json::Parse(text, error);
    if (!parsed) {
        kv::fuzz::Check(!error.empty(), "a refused document says why");
        return 0;
    }
    const kv::SecretString written = kv::json::Write(*parsed);
    const std::optional<kv::json::Value> again = kv::json::Parse(written, error);
    kv::fuzz::Check(again.has_value(), "a written document parses");
    kv::fuzz::Check(kv::json::Write(*again) == written.view(), "a written document parses to itself");

    kv::test::FixedLocale locale;
    const kv::SecretString database = DatabaseDocument(*parsed, locale);
    if (database.empty()) return 0;
    const std::optional<kv::json::Value> reread = kv::json::Parse(database, error);
    kv::fuzz::Check(reread.has_value(), "a database's document parses");
    kv::fuzz::Check(DatabaseDocument(*reread, locale) == database, "a database's document describes it again");
    return 0;
}
