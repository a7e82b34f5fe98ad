#include <gtest/gtest.h>

#include "cli/DatabaseJson.h"
#include "tests/support/DumpText.h"
#include "tests/support/FixedLocale.h"

namespace kv {
namespace {

bool FromText(const std::string& text, PasswordDatabase& db, bool& protect, std::string& error) {
    std::optional<json::Value> document = json::Parse(text, error);
    if (!document) return false;
    return DatabaseFromJson(*document, test::FixedLocale(), db, protect, error);
}

TEST(DatabaseJsonTest, DocumentRoundTripKeepsEveryMember) {
    PasswordDatabase db;
    db.EncryptFiles = 1;
    db.ReminderPhrase = "caf\xE9";
    db.SearchFolderHistory = {"a"};
    db.IgnoredSites = {"x/"};
    AddFolder(db, "Top", 3);
    Record record;
    record.fields[kPassword] = "\x80uro";
    record.dateExpires = {2030, 1, 2, 3, 4, 5, 6, 7};
    FormField field;
    field.type = 1001;
    field.name = "n";
    field.column = 2;
    field.reserved2 = "r";
    record.formData = {field};
    db.Folders[0].records.write() = {record};
    const std::string text(test::DumpText(db, test::FixedLocale()).view());
    EXPECT_NE(text.find("\"reminder\": \"caf\xC3\xA9\""), std::string::npos);

    PasswordDatabase back;
    bool protect = false;
    std::string error;
    ASSERT_TRUE(FromText(text, back, protect, error)) << error;
    EXPECT_TRUE(protect);
    EXPECT_EQ(back.ReminderPhrase, db.ReminderPhrase);
    EXPECT_EQ(back.SearchFolderHistory, db.SearchFolderHistory);
    EXPECT_EQ(back.IgnoredSites, db.IgnoredSites);
    EXPECT_EQ(back.Folders, db.Folders);
}

TEST(DatabaseJsonTest, DeletedFoldersAreLeftOut) {
    PasswordDatabase db;
    AddFolder(db, "Gone", 1);
    db.Folders[0].present = 0;
    std::string error;
    const std::optional<json::Value> document = json::Parse(test::DumpText(db, test::FixedLocale()).view(), error);
    ASSERT_TRUE(document.has_value()) << error;
    EXPECT_TRUE(document->Find("folders")->items().empty());
}

TEST(DatabaseJsonTest, DocumentsThatDescribeNoFileAreRefused) {
    const struct {
        const char* text;
        const char* error;
    } kCases[] = {
        {"[]", "document: expected an object, found an array"},
        {R"({"colour": 1})", "document: unknown member \"colour\""},
        {R"({"version": "6"})", "version: only version \"7\" is written"},
        {R"({"reminder": "12345678901234567890123456789012"})", "reminder: a reminder phrase has at most 31 characters"},
        {R"({"searchItemHistory": ["1","2","3","4","5","6"]})", "searchItemHistory: a file keeps at most 5 entries"},
        {R"({"searchItemHistory": ["12345678901234567"]})", "searchItemHistory: an entry has at most 16 characters"},
        {R"({"folders": [{"category": 1}]})", "folders[0]: a folder needs a \"path\""},
        {R"({"folders": [{"path": ""}]})", "folders[0].path: a folder path may not be empty"},
        {R"({"folders": [{"path": "a", "category": 4294967296}]})", "folders[0].category: the number does not fit in 32 bits"},
        {R"({"folders": [{"path": "a", "records": [{"fields": ["x"]}]}]})", "folders[0].records[0].fields: a record has 14 fields"},
        {R"({"folders": [{"path": "a", "records": [{"dateAssigned": [1,2,3]}]}]})", "folders[0].records[0].dateAssigned: a date has eight numbers"},
        {R"({"folders": [{"path": "a", "records": [{"dateExpires": [1,2,3,4,5,6,7,65536]}]}]})", "folders[0].records[0].dateExpires: a date number lies outside 0 to 65535"},
        {R"({"folders": [{"path": "a", "records": [{"formData": [{"kind": 1}]}]}]})", "folders[0].records[0].formData[0]: unknown member \"kind\""},
        {R"({"ignoredSites": ["\u4e2d"]})", "ignoredSites[0]: the text cannot be written in the ANSI code page"},
        {R"({"ignoredSites": ["a\u0000b"]})", "ignoredSites[0]: the text contains a zero character"},
    };
    for (const auto& c : kCases) {
        PasswordDatabase db;
        bool protect = false;
        std::string error;
        EXPECT_FALSE(FromText(c.text, db, protect, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
    PasswordDatabase db;
    bool protect = true;
    std::string error;
    EXPECT_TRUE(FromText("{\"folders\": [{\"path\": \"" + std::string(259, 'a') + "\"}]}", db, protect, error));
    EXPECT_FALSE(protect);
    EXPECT_FALSE(FromText("{\"folders\": [{\"path\": \"" + std::string(260, 'a') + "\"}]}", db, protect, error));
    EXPECT_EQ(error, "folders[0].path: a folder path has at most 259 characters");
}

}  // namespace
}  // namespace kv
