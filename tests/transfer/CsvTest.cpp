#include <gtest/gtest.h>

#include "transfer/Csv.h"

namespace kv {
namespace {

std::vector<CsvRow> ReadAll(std::string_view text) {
    CsvReader reader(text);
    std::vector<CsvRow> rows;
    CsvRow row;
    while (reader.Next(row)) rows.push_back(row);
    return rows;
}

TEST(CsvTest, WriterQuotesEveryFieldAndDoublesQuotes) {
    std::string out;
    AppendCsvField(out, "Bank \"A\"");
    out += ',';
    AppendCsvField(out, "");
    out += ',';
    AppendCsvField(out, "line 1\r\nline 2");
    EXPECT_EQ(out, "\"Bank \"\"A\"\"\",\"\",\"line 1\r\nline 2\"");
}

TEST(CsvTest, QuotedFieldsKeepCommasQuotesLineBreaksAndTabs) {
    const auto rows = ReadAll("\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"\ttab \"\r\nnext,row\r\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"a,b", "say \"hi\"", "two\r\nlines", "\ttab "}));
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"next", "row"}));
    EXPECT_EQ(rows[1].line, 3u);
}

TEST(CsvTest, OldFormReadsAsBefore) {
    // Every field quoted, nothing inside that needs quoting.
    const auto rows = ReadAll("\"Mail\",\"joe\",\"secret\"\r\n\"\",\"x\"\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"Mail", "joe", "secret"}));
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"", "x"}));
}

TEST(CsvTest, UnquotedFieldsLoseSurroundingBlanksAndTabsDoNotEndTheLine) {
    const auto rows = ReadAll("  one , two\tthree ,four");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"one", "two\tthree", "four"}));
}

TEST(CsvTest, BlankLinesAndLoneCarriageReturns) {
    const auto rows = ReadAll("a\r\rb\n\nc");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_FALSE(rows[0].blank);
    EXPECT_TRUE(rows[1].blank);
    EXPECT_EQ(rows[2].fields, std::vector<std::string>{"b"});
    EXPECT_EQ(rows[2].line, 3u);
    EXPECT_TRUE(rows[3].blank);
    EXPECT_EQ(rows[4].line, 5u);
}

TEST(CsvTest, UnclosedQuoteIsMarked) {
    const auto rows = ReadAll("\"ok\"\r\n\"open,\r\nrest");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[0].unterminated);
    EXPECT_TRUE(rows[1].unterminated);
    EXPECT_EQ(rows[1].line, 2u);
}

TEST(CsvTest, SkipLineDropsWholeLinesEmptyOnesIncluded) {
    CsvReader reader("head\r\n\r\n\"x\"");
    EXPECT_TRUE(reader.SkipLine());
    EXPECT_TRUE(reader.SkipLine());
    CsvRow row;
    ASSERT_TRUE(reader.Next(row));
    EXPECT_EQ(row.fields, std::vector<std::string>{"x"});
    EXPECT_EQ(row.line, 3u);
    EXPECT_FALSE(reader.Next(row));
}

}  // namespace
}  // namespace kv
