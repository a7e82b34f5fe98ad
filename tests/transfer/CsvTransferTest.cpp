#include <gtest/gtest.h>

#include <random>

#include "tests/support/FixedLocale.h"
#include "tests/support/Records.h"
#include "transfer/CsvExport.h"
#include "transfer/CsvImport.h"

namespace kv {
namespace {

std::vector<int> AllFields() {
    std::vector<int> fields;
    for (int f = 0; f < kFieldCount; ++f) fields.push_back(f);
    return fields;
}

class CsvTransferTest : public ::testing::Test {
protected:
    CsvTransferTest() { names = CurrentFieldNames(settings); }

    std::string Export(const ExportOptions& options) { return ExportCsv(db, options, names, locale); }

    ExportOptions AllOf(int folder) {
        ExportOptions options;
        options.folders = {folder};
        options.fields = AllFields();
        return options;
    }

    test::FixedLocale locale;
    AppSettings settings;
    FieldNames names;
    PasswordDatabase db;
};

TEST_F(CsvTransferTest, QuotesInValuesAreKeptDoubled) {
    const int folder = AddFolder(db, "Web", kDefaultCategory);
    Record record = test::LoginRecord("Bank \"A\"");
    record.fields[kNotes] = "one\r\ntwo";
    db.Folders[folder].records.write().push_back(record);
    ExportOptions options = AllOf(folder);
    options.fields = {kDescription, kNotes};
    EXPECT_EQ(Export(options), "\"Bank \"\"A\"\"\",\"one\r\ntwo\"\r\n");
}

TEST_F(CsvTransferTest, FolderNamesHeadingAndEmptyRecords) {
    const int folder = AddFolder(db, "Web~Mail", kDefaultCategory);
    db.Folders[folder].records.write() = {test::LoginRecord("", "", "pw"), test::LoginRecord("only desc")};
    ExportOptions options = AllOf(folder);
    options.fields = {kUsername, kPassword};
    options.folderNames = true;
    options.heading = true;
    EXPECT_EQ(Export(options), "\"Folder\",\"Username\",\"Password\"\r\n\"Web\\Mail\",\"\",\"pw\"\r\n");
}

TEST_F(CsvTransferTest, Utf8ExportStartsWithAByteOrderMark) {
    const int folder = AddFolder(db, "F", kDefaultCategory);
    db.Folders[folder].records.write().push_back(test::LoginRecord("caf\xE9 \x80"));
    ExportOptions options = AllOf(folder);
    options.fields = {kDescription};
    EXPECT_EQ(Export(options), "\"caf\xE9 \x80\"\r\n");
    options.utf8 = true;
    EXPECT_EQ(Export(options), "\xEF\xBB\xBF\"caf\xC3\xA9 \xE2\x82\xAC\"\r\n");
}

TEST_F(CsvTransferTest, AWriteErrorStopsTheExport) {
    const int folder = AddFolder(db, "F", kDefaultCategory);
    db.Folders[folder].records.write() = std::vector<Record>(20000, test::LoginRecord("a record of some length"));
    int pieces = 0;
    EXPECT_FALSE(ExportCsv(db, AllOf(folder), names, locale, [&](std::string_view) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2);
    std::size_t written = 0;
    EXPECT_TRUE(ExportCsv(db, AllOf(folder), names, locale, [&](std::string_view bytes) {
        written += bytes.size();
        return true;
    }));
    EXPECT_EQ(written, Export(AllOf(folder)).size());
}

TEST_F(CsvTransferTest, DeletedAndUnknownFoldersAreNotWritten) {
    const int gone = AddFolder(db, "Gone", kDefaultCategory);
    db.Folders[gone].records.write().push_back(test::LoginRecord("x"));
    db.Folders[gone].present = 0;
    ExportOptions options = AllOf(gone);
    options.folders.push_back(7);
    EXPECT_EQ(Export(options), "");
}

TEST_F(CsvTransferTest, RichTextNotesAreWrittenAsPlainText) {
    const int folder = AddFolder(db, "F", kDefaultCategory);
    Record record;
    record.fields[kNotes] = "{\\rtf1\\ansi hello\\par world}";
    db.Folders[folder].records.write().push_back(record);
    ExportOptions options = AllOf(folder);
    options.fields = {kNotes};
    EXPECT_EQ(Export(options), "\"hello\r\nworld\"\r\n");
}

// Records with every awkward character: quotes, commas, CR, LF, tabs, blanks
// at both ends and every byte of Windows-1252 but NUL.
std::vector<Record> AwkwardRecords(std::size_t count) {
    std::mt19937 random(13);
    const std::string awkward = "\",\r\n\t ";
    std::vector<Record> records(count);
    for (Record& record : records) {
        for (std::string& field : record.fields) {
            const int length = static_cast<int>(random() % 12);
            for (int i = 0; i < length; ++i) {
                field += random() % 3 == 0 ? awkward[random() % awkward.size()]
                                           : static_cast<char>(1 + random() % 255);
            }
        }
        record.fields[kDescription] = " " + record.fields[kDescription] + " ";
        if (record.fields[kNotes].rfind("{\\rtf", 0) == 0) record.fields[kNotes].insert(0, "x");
    }
    std::string every;
    for (int c = 1; c < 256; ++c) every += static_cast<char>(c);
    records.front().fields[kNotes] = every;
    return records;
}

TEST_F(CsvTransferTest, EveryFieldSurvivesARoundTripByteForByte) {
    for (bool utf8 : {false, true}) {
        PasswordDatabase source;
        const int folder = AddFolder(source, "F", kDefaultCategory);
        source.Folders[folder].records.write() = AwkwardRecords(300);
        ExportOptions options = AllOf(folder);
        options.utf8 = utf8;
        options.heading = true;
        const std::string bytes = ExportCsv(source, options, names, locale);

        ImportOptions import;
        import.order = AllFields();
        import.skipLines = 1;
        const ImportResult result = ImportCsv(bytes, import, locale);
        EXPECT_EQ(result.unrepresentable, 0u);
        ASSERT_EQ(result.records.size(), source.Folders[folder].records.size()) << utf8;
        for (std::size_t i = 0; i < result.records.size(); ++i) {
            ASSERT_EQ(result.records[i].fields, source.Folders[folder].records[i].fields) << i << " " << utf8;
        }
    }
}

TEST_F(CsvTransferTest, ImportFollowsTheOrderAndSkipsColumns) {
    ImportOptions options;
    options.order = {kPassword, -1, kDescription};
    const ImportResult result = ImportCsv("\"pw\",\"ignored\",\"desc\",\"beyond\"\r\nonly\r\n", options, locale);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[0].fields[kPassword], "pw");
    EXPECT_EQ(result.records[0].fields[kDescription], "desc");
    EXPECT_EQ(result.records[1].fields[kPassword], "only");
    EXPECT_EQ(result.records[1].fields[kDescription], "");
}

TEST_F(CsvTransferTest, QuotesProtectCommasAndTabsNoLongerEndTheLine) {
    ImportOptions options;
    options.order = {kDescription, kUsername, kPassword};
    const ImportResult result = ImportCsv("\"x, y\",z\r\na,b\tc,d\r\n", options, locale);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[0].fields[kDescription], "x, y");
    EXPECT_EQ(result.records[0].fields[kUsername], "z");
    EXPECT_EQ(result.records[1].fields[kUsername], "b\tc");
    EXPECT_EQ(result.records[1].fields[kPassword], "d");
}

TEST_F(CsvTransferTest, DatesAreReadAndUnreadableOnesStayText) {
    ImportOptions options;
    options.order = {kDateAssigned, kDateExpires};
    const ImportResult result = ImportCsv("12/31/2025 13:05,next week\r\n", options, locale);
    ASSERT_EQ(result.records.size(), 1u);
    const Record& record = result.records[0];
    EXPECT_EQ(record.dateAssigned.wYear, 2025);
    EXPECT_EQ(record.dateAssigned.wMonth, 12);
    EXPECT_EQ(record.dateAssigned.wDay, 31);
    EXPECT_EQ(record.dateAssigned.wHour, 13);
    EXPECT_EQ(record.dateExpires, SystemTime{});
    EXPECT_EQ(record.fields[kDateExpires], "next week");
    EXPECT_EQ(ParseShortDate("2/30/2025"), SystemTime{});
    EXPECT_EQ(ParseShortDate(""), SystemTime{});
}

TEST_F(CsvTransferTest, SummaryNamesSkippedRowsWithTheirLines) {
    ImportOptions options;
    options.order = {kDescription};
    options.skipLines = 2;
    const ImportResult result = ImportCsv("head\r\n\r\nkept\r\n\r\n\"\",x\r\n\"open\r\n", options, locale);
    ASSERT_EQ(result.records.size(), 1u);
    EXPECT_EQ(ImportSummary(result),
              "1 records were imported.\n\nRows not imported:\nLine 1: skipped as asked\nLine 2: skipped as asked\n"
              "Line 4: empty line\nLine 5: no value in the imported columns\n"
              "Line 6: a quoted value is not closed before the end of the file");
}

TEST_F(CsvTransferTest, OnlySkipFieldsImportsNothingAndSaysEveryRowWasDropped) {
    ImportOptions options;
    options.order = {-1, -1};
    const ImportResult result = ImportCsv("a,b\r\nc,d\r\n", options, locale);
    EXPECT_TRUE(result.records.empty());
    EXPECT_EQ(ImportSummary(result),
              "There were no records imported. Every row of the file was skipped.\n\nRows not imported:\n"
              "Line 1: no value in the imported columns\nLine 2: no value in the imported columns");
}

TEST_F(CsvTransferTest, SummaryCountsCharactersTheCodePageCannotHold) {
    ImportOptions options;
    options.order = {kDescription};
    const ImportResult result = ImportCsv("\xEF\xBB\xBF\xE4\xB8\xAD\xE6\x96\x87\r\n", options, locale);
    ASSERT_EQ(result.records.size(), 1u);
    EXPECT_EQ(result.records[0].fields[kDescription], "??");
    EXPECT_EQ(ImportSummary(result),
              "1 records were imported.\n\n2 characters could not be held in the ANSI code page and were "
              "imported as \"?\".");
}

TEST_F(CsvTransferTest, ImportedRecordsGoToAPresentFolderAndMarkTheFileModified) {
    const int folder = AddFolder(db, "F", kDefaultCategory);
    db.Folders[folder].records.write().push_back(test::LoginRecord("old"));
    const int gone = AddFolder(db, "Gone", kDefaultCategory);
    db.Folders[gone].present = 0;
    EXPECT_FALSE(AddImportedRecords(db, gone, {test::LoginRecord("x")}));
    EXPECT_FALSE(AddImportedRecords(db, 9, {test::LoginRecord("x")}));
    EXPECT_FALSE(db.Modified);
    EXPECT_TRUE(db.Folders[gone].records.empty());
    EXPECT_TRUE(AddImportedRecords(db, folder, {test::LoginRecord("a"), test::LoginRecord("b")}));
    EXPECT_TRUE(db.Modified);
    ASSERT_EQ(db.Folders[folder].records.size(), 3u);
    EXPECT_EQ(db.Folders[folder].records[2].fields[kDescription], "b");
}

TEST_F(CsvTransferTest, HeadingProposesTheOrder) {
    settings.ColumnNames[kBank] = "Institution";
    names = CurrentFieldNames(settings);
    // Another manager's heading: title means the description here.
    EXPECT_EQ(ProposeOrder({"Title", "LOGIN", "password", "URL", "notes", "e-mail", "Email"}, names, locale),
              (std::vector<int>{kDescription, kUsername, kPassword, kUrl, kNotes, -1, kEmail}));
    // Our own heading, with a renamed column: Title is the software title.
    EXPECT_EQ(ProposeOrder({"Folder", "Description", "title", "institution", "Username", "username"}, names,
                           locale),
              (std::vector<int>{-1, kDescription, kTitle, kBank, kUsername, -1}));
    EXPECT_EQ(HeadingOf("\xEF\xBB\xBF\"name\",\"url\"\r\nx,y", locale),
              (std::vector<std::string>{"name", "url"}));
}

}  // namespace
}  // namespace kv
