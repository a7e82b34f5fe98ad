// The dump written while the database is walked.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bench/SyntheticDatabase.h"
#include "cli/DatabaseDump.h"
#include "cli/DatabaseJson.h"
#include "tests/support/DumpText.h"
#include "tests/support/FixedLocale.h"

namespace kv {
namespace {

PasswordDatabase FromText(std::string_view text) {
    std::string error;
    const std::optional<json::Value> document = json::Parse(text, error);
    EXPECT_TRUE(document.has_value()) << error;
    PasswordDatabase db;
    bool protect = false;
    if (document) {
        EXPECT_TRUE(DatabaseFromJson(*document, test::FixedLocale(), db, protect, error)) << error;
    }
    db.EncryptFiles = protect ? 1 : 0;
    return db;
}

TEST(DatabaseDumpTest, SampleDumpsToItsOwnText) {
    std::ifstream file(KELVANDOR_SAMPLE_JSON, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const PasswordDatabase db = FromText(text.str());
    EXPECT_EQ(test::DumpText(db, test::FixedLocale()).view(), text.str());
}

TEST(DatabaseDumpTest, GeneratedFileDumpsInPiecesAndReadsBack) {
    PasswordDatabase db = bench::MakeSyntheticDatabase(3000);
    db.EncryptFiles = 1;
    db.ReminderPhrase = "tab\there";
    db.SearchItemHistory = {"one", "two"};
    std::size_t pieces = 0;
    const SecretString text = test::DumpText(db, test::FixedLocale(), &pieces);
    EXPECT_GT(pieces, 10u);
    const PasswordDatabase back = FromText(text.view());
    EXPECT_EQ(back.ReminderPhrase, db.ReminderPhrase);
    EXPECT_EQ(back.SearchItemHistory, db.SearchItemHistory);
    EXPECT_EQ(back.Folders, db.Folders);
}

TEST(DatabaseDumpTest, ARefusedPieceFailsTheDump) {
    json::Writer out([](std::string_view) { return false; });
    WriteDatabaseJson(PasswordDatabase(), "7", test::FixedLocale(), out);
    EXPECT_FALSE(out.Finish());
}

}  // namespace
}  // namespace kv
