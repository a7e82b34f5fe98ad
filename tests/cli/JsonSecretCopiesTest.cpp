// A document that goes through the companion's JSON path, read into a
// database and written out again, leaves no copy of a secret in memory
// given back to the heap.
#include <gtest/gtest.h>

#include <string>

#include "cli/DatabaseJson.h"
#include "cli/Json.h"
#include "tests/support/DumpText.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/FreedCopies.h"

namespace kv {
namespace {

const std::string kSecret = "correct horse battery staple";
const std::string kPiece = "horse battery";

std::string Document() {
    std::string fields = "\"" + kSecret + "\"";
    for (int i = 1; i < 14; ++i) fields += i == 13 ? ", \"notes: " + kSecret + " \\u00e9\"" : ", \"\"";
    return "{\"folders\": [{\"path\": \"Web\", \"records\": [{\"fields\": [" + fields + "]}]}]}";
}

TEST(JsonSecretCopiesTest, ParsingConvertingAndWritingADocumentLeaveNoCopy) {
    // Made before the watch starts: their own buffers would count.
    const std::string text = Document();
    const std::string notes = "notes: " + kSecret;
    const test::FixedLocale locale;
    PasswordDatabase db;  // the database itself outlives the watch
    bool protect = false;
    std::string error;
    test::FreedCopies watch(kPiece);
    {
        const std::optional<json::Value> document = json::Parse(text, error);
        ASSERT_TRUE(document.has_value()) << error;
        ASSERT_TRUE(DatabaseFromJson(*document, locale, db, protect, error)) << error;
        const SecretString written = test::DumpText(db, locale);
        EXPECT_NE(written.view().find(notes), std::string::npos);
    }
    EXPECT_EQ(watch.count(), 0);
}

}  // namespace
}  // namespace kv
