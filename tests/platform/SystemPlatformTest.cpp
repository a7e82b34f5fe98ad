// The platform's own file system and locale, natively and under Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "tests/support/ScriptedFileUi.h"
#include "tests/support/TempFolder.h"

namespace kv {
namespace {

using SystemPlatformTest = test::TempFolderTest;

TEST_F(SystemPlatformTest, SaveReplacesAnExistingFileOnDisk) {
    const std::string path = PathOf("Secrets.kv");
    { std::ofstream(path, std::ios::binary) << "old contents that are longer than the new ones......"; }
    PasswordDatabase db;
    db.FilePath = path;
    db.FileLoaded = 1;
    db.EncryptFiles = 1;
    db.MasterPassword = "disk";
    AddFolder(db, "On disk", 2);
    test::ScriptedFileUi ui;
    CPasswordFile writer(db, ui, SystemFileSystem(), SystemLocale());
    ASSERT_TRUE(writer.SaveFile(FoldersInArrayOrder(db)));
    EXPECT_EQ(std::filesystem::file_size(path), 8u + 120u + 20u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "only the saved file is left";

    PasswordDatabase loaded;
    loaded.FilePath = path;
    loaded.MasterPassword = "disk";
    CPasswordFile reader(loaded, ui, SystemFileSystem(), SystemLocale());
    ASSERT_TRUE(reader.LoadFile());
    EXPECT_EQ(loaded.Folders[0].path, "On disk");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SystemPlatformTest, SaveIntoAMissingFolderFailsWithAMessage) {
    PasswordDatabase db;
    db.FilePath = PathOf("missing-folder/Secrets.kv");
    db.FileLoaded = 1;
    test::ScriptedFileUi ui;
    CPasswordFile writer(db, ui, SystemFileSystem(), SystemLocale());
    EXPECT_FALSE(writer.SaveFile(FoldersInArrayOrder(db)));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("Error: Can't open the source file for reading.", 0), 0u);
    EXPECT_EQ(ui.messages[0].find('\r'), std::string::npos);
}

TEST_F(SystemPlatformTest, ReadingAFolderOrAMissingFileFails) {
    FileContents contents;
    EXPECT_EQ(SystemFileSystem().ReadAll(PathOf("none.kv"), contents), ReadResult::OpenFailed);
    EXPECT_FALSE(SystemFileSystem().LastErrorText().empty());
    EXPECT_NE(SystemFileSystem().ReadAll(dir_.string(), contents), ReadResult::Read);
}

TEST(SystemLocaleTest, UnsetAndImpossibleDatesShowNothing) {
    EXPECT_EQ(SystemLocale().FormatShortDate(SystemTime{}), "");
    EXPECT_EQ(SystemLocale().FormatShortDate(SystemTime{2001, 5, 0, 0, 0, 0, 0, 0}), "");
    EXPECT_EQ(SystemLocale().FormatShortDate(SystemTime{2001, 2, 0, 30, 0, 0, 0, 0}), "");
    const std::string shown = SystemLocale().FormatShortDate(SystemTime{2001, 5, 3, 9, 0, 0, 0, 0});
    EXPECT_NE(shown.find("2001"), std::string::npos);
    EXPECT_NE(shown.find('5'), std::string::npos);
    EXPECT_NE(shown.find('9'), std::string::npos);
}

// An exported date column imports back as the same date, whatever the
// user's order of day, month and year.
TEST(SystemLocaleTest, AShownDateReadsBackAndOtherTextsAreNoDate) {
    const Locale& locale = SystemLocale();
    for (const SystemTime date : {SystemTime{2001, 5, 0, 9, 0, 0, 0, 0}, SystemTime{2030, 12, 0, 31, 0, 0, 0, 0}}) {
        const SystemTime read = locale.ParseDateTime(locale.FormatShortDate(date));
        EXPECT_EQ(read.wYear, date.wYear);
        EXPECT_EQ(read.wMonth, date.wMonth);
        EXPECT_EQ(read.wDay, date.wDay);
    }
    EXPECT_EQ(locale.ParseDateTime(""), SystemTime{});
    EXPECT_EQ(locale.ParseDateTime("next week"), SystemTime{});
    EXPECT_EQ(locale.ParseDateTime("2/30/2025"), SystemTime{});
}

TEST(SystemLocaleTest, CompareIgnoresCase) {
    const Locale& locale = SystemLocale();
    EXPECT_EQ(locale.CompareNoCase("Banking", "bANKING"), 0);
    EXPECT_LT(locale.CompareNoCase("apple", "Banana"), 0);
    EXPECT_GT(locale.CompareNoCase("b", "A"), 0);
    EXPECT_LT(locale.CompareNoCase("", "a"), 0);
    EXPECT_EQ(locale.CompareNoCase("", ""), 0);
    EXPECT_EQ(locale.CompareNoCase("\xC9t\xE9", "\xE9T\xC9"), 0);
}

TEST(SystemLocaleTest, AnsiCodePageRoundTrip) {
    const Locale& locale = SystemLocale();
    const std::optional<SecretString> utf8 = locale.AnsiToUtf8("caf\xE9 \x80");
    ASSERT_TRUE(utf8.has_value());
    EXPECT_EQ(utf8->view(), "caf\xC3\xA9 \xE2\x82\xAC");
    const std::optional<SecretString> back = locale.Utf8ToAnsi(*utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->view(), "caf\xE9 \x80");
    EXPECT_FALSE(locale.Utf8ToAnsi("\xE4\xB8\xAD").has_value());
}

TEST(SystemLocaleTest, NowIsAValidDateTime) {
    const SystemTime now = SystemLocale().LocalNow();
    EXPECT_TRUE(IsValidDateTime(now));
    EXPECT_GE(now.wYear, 2024);
}

}  // namespace
}  // namespace kv
