// The dump written while the database is walked.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bench/SyntheticDatabase.h"
#include "cli/DatabaseDump.h"
#include "cli/DatabaseJson.h"
#include "tests/support/FixedLocale.h"

namespace kv {
namespace {

struct Streamed {
    std::string text;
    std::size_t pieces = 0;
};

Streamed Stream(const PasswordDatabase& db) {
    Streamed streamed;
    json::Writer out([&](std::string_view piece) {
        streamed.text.append(piece);
        ++streamed.pieces;
        return true;
    });
    WriteDatabaseJson(db, "7", test::FixedLocale(), out);
    EXPECT_TRUE(out.Finish());
    return streamed;
}

std::string WholeDocument(const PasswordDatabase& db) {
    return std::string(json::Write(DatabaseToJson(db, "7", test::FixedLocale())).view());
}

TEST(DatabaseDumpTest, StreamedSampleIsTheWholeDocument) {
    std::ifstream file(KELVANDOR_SAMPLE_JSON, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    const std::optional<json::Value> document = json::Parse(text.str(), error);
    ASSERT_TRUE(document.has_value()) << error;
    PasswordDatabase db;
    bool protect = false;
    ASSERT_TRUE(DatabaseFromJson(*document, test::FixedLocale(), db, protect, error)) << error;
    db.EncryptFiles = protect ? 1 : 0;
    EXPECT_EQ(Stream(db).text, WholeDocument(db));
}

TEST(DatabaseDumpTest, StreamedGeneratedFileIsTheWholeDocumentInPieces) {
    PasswordDatabase db = bench::MakeSyntheticDatabase(3000);
    db.EncryptFiles = 1;
    db.ReminderPhrase = "tab\there";
    db.SearchItemHistory = {"one", "two"};
    db.Folders[1].present = 0;
    const Streamed streamed = Stream(db);
    EXPECT_GT(streamed.pieces, 10u);
    EXPECT_EQ(streamed.text, WholeDocument(db));
}

TEST(DatabaseDumpTest, ARefusedPieceFailsTheDump) {
    json::Writer out([](std::string_view) { return false; });
    WriteDatabaseJson(PasswordDatabase(), "7", test::FixedLocale(), out);
    EXPECT_FALSE(out.Finish());
}

}  // namespace
}  // namespace kv
