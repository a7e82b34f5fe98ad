// The bytes a save writes and what a load makes of them.
#include <gtest/gtest.h>

#include "db/Blowfish.h"
#include "db/ByteStream.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileHarness.h"

namespace kv {
namespace {

using test::FileBytes;
using test::FileHarness;

Record MakeRecord(const std::string& description) {
    Record record;
    record.fields[kDescription] = description;
    return record;
}

TEST(PasswordFileFormatTest, UnprotectedFileStartsWithTheDocumentedBytes) {
    FileHarness h;
    AddFolder(h.db, "Web", kInternetCategory);
    h.db.Folders[0].records.write().push_back(MakeRecord("Bank"));
    ASSERT_TRUE(h.Save());
    FileBytes expected;
    expected.Version("7").Tag('F').Int(8).Block("Web", 8).Int(2).Tag('R').Int(14).String("Bank");
    const std::vector<unsigned char>& bytes = h.Bytes();
    ASSERT_GE(bytes.size(), expected.bytes().size());
    EXPECT_TRUE(std::equal(expected.bytes().begin(), expected.bytes().end(), bytes.begin()));
}

TEST(PasswordFileFormatTest, RecordKeepsDatesRawAndDropsTheirTextSlots) {
    FileHarness h;
    AddFolder(h.db, "A", 1);
    Record record;
    for (int i = 0; i < kFieldCount; ++i) record.fields[static_cast<std::size_t>(i)] = "f" + std::to_string(i);
    record.dateAssigned = {2024, 2, 4, 29, 10, 11, 12, 13};
    record.dateExpires = {2025, 3, 0, 1, 0, 0, 0, 0};
    h.db.Folders[0].records.write().push_back(record);
    ASSERT_TRUE(h.Save());
    FileBytes expected;
    expected.Version("7").Tag('F').String("A").Int(1).Tag('R').Int(14);
    for (int i = 0; i < kFieldCount; ++i) {
        if (i == kDateAssigned) expected.Date(record.dateAssigned);
        else if (i == kDateExpires) expected.Date(record.dateExpires);
        else expected.String("f" + std::to_string(i));
    }
    EXPECT_EQ(h.Bytes(), expected.bytes());
}

TEST(PasswordFileFormatTest, StringLengthsArePaddedToEightWithAZero) {
    FileHarness h;
    h.db.IgnoredSites = {"", "1234567", "abcdefgh"};
    ASSERT_TRUE(h.Save());
    FileBytes expected;
    expected.Version("7");
    expected.Tag('I').Int(8).Block("", 8);
    expected.Tag('I').Int(8).Block("1234567", 8);
    expected.Tag('I').Int(16).Block("abcdefgh", 16);
    EXPECT_EQ(h.Bytes(), expected.bytes());
}

TEST(PasswordFileFormatTest, ProtectedFileEncryptsStringsButNotLengthsOrNumbers) {
    FileHarness h;
    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "s3cret";
    h.db.ReminderPhrase = "pet's name";
    AddFolder(h.db, "Banking", kBankingCategory);
    ASSERT_TRUE(h.Save());
    std::vector<unsigned char> bytes = h.Bytes();
    ByteReader in(bytes.data(), bytes.size());
    std::int32_t value = 0;
    ASSERT_TRUE(in.ReadInt32(value));
    EXPECT_EQ(value, 'V');
    in.Take(4);
    in.ReadInt32(value);
    EXPECT_EQ(value, 'P');
    EXPECT_EQ(TextOf(in.Take(32), 32), "pet's name");
    in.ReadInt32(value);
    EXPECT_EQ(value, 'M');
    Verifier verifier;
    std::memcpy(verifier.data(), in.Take(80), 80);
    EXPECT_EQ(verifier, MakeVerifier("s3cret"));
    in.ReadInt32(value);
    EXPECT_EQ(value, 'F');
    in.ReadInt32(value);
    EXPECT_EQ(value, 8);
    unsigned char* path = in.Take(8);
    EXPECT_NE(TextOf(path, 8), "Banking");
    CBlowfish("s3cret").DecryptBuffer(path, 8);
    EXPECT_EQ(TextOf(path, 8), "Banking");
    in.ReadInt32(value);
    EXPECT_EQ(value, kBankingCategory);
    EXPECT_TRUE(in.AtEnd());
}

TEST(PasswordFileFormatTest, VerifierIsThePasswordEncryptedUnderItself) {
    const std::string password(90, 'p');
    Verifier block{};
    std::memcpy(block.data(), password.data(), 80);
    CBlowfish(password.c_str()).EncryptBuffer(block.data(), block.size());
    EXPECT_EQ(MakeVerifier(password), block);
    EXPECT_TRUE(VerifierMatches(MakeVerifier("short"), "short"));
    EXPECT_FALSE(VerifierMatches(MakeVerifier("short"), "Short"));
    EXPECT_FALSE(VerifierMatches(MakeVerifier("short"), "shor"));
    // Only 80 bytes are kept, so a longer password can never be confirmed.
    EXPECT_FALSE(VerifierMatches(MakeVerifier(password), password));
}

TEST(PasswordFileFormatTest, HistoriesKeepFiveEntriesOfSixteenBytes) {
    FileHarness h;
    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "pw";
    for (int i = 0; i < 7; ++i) h.db.SearchFolderHistory.push_back("folder" + std::to_string(i));
    h.db.SearchItemHistory = {"exactly16bytes!!", "a text longer than sixteen bytes"};
    ASSERT_TRUE(h.Save());
    EXPECT_EQ(h.Bytes().size(), 8u + 120u + 7u * 20u);
    ASSERT_TRUE(h.Load("pw"));
    EXPECT_EQ(h.db.SearchFolderHistory,
              (std::vector<std::string>{"folder0", "folder1", "folder2", "folder3", "folder4"}));
    EXPECT_EQ(h.db.SearchItemHistory, (std::vector<std::string>{"exactly16bytes!!", "a text longer th"}));
}

TEST(PasswordFileFormatTest, OnlyTheFirstEmptyRecordOfAFolderIsKept) {
    FileHarness h;
    for (const char* name : {"One", "Two"}) {
        const int index = AddFolder(h.db, name, 1);
        h.db.Folders[static_cast<std::size_t>(index)].records.write().resize(3);
    }
    Record datesOnly;
    datesOnly.dateAssigned = {2020, 1, 3, 1, 0, 0, 0, 0};
    Record formOnly;
    formOnly.formData.resize(2);
    Record richButBlank;
    richButBlank.fields[kNotes] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\par\n}";
    Record kept = MakeRecord("kept");
    h.db.Folders[0].records.write() = {kept, datesOnly, formOnly, richButBlank, kept};
    ASSERT_TRUE(h.Save());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 2u);
    ASSERT_EQ(h.db.Folders[0].records.size(), 3u);
    EXPECT_EQ(h.db.Folders[0].records[0], kept);
    EXPECT_EQ(h.db.Folders[0].records[1].dateAssigned, datesOnly.dateAssigned);
    EXPECT_TRUE(h.db.Folders[0].records[1].formData.empty());
    EXPECT_EQ(h.db.Folders[0].records[2], kept);
    EXPECT_EQ(h.db.Folders[1].records.size(), 1u);
}

TEST(PasswordFileFormatTest, SaveFollowsTheWalkAndStoresItsPaths) {
    FileHarness h;
    AddFolder(h.db, "Old name", 2);
    AddFolder(h.db, "Deleted", 1);
    AddFolder(h.db, "Child", 1);
    AddFolder(h.db, "Long", 1);
    h.db.Folders[1].present = 0;
    const std::string longName(300, 'n');
    const std::vector<FolderVisit> walk = {
        {-1, "Intermediate"}, {2, "Top~Child"}, {1, "Deleted"}, {0, "Top"}, {7, "Stale"}, {3, longName}};
    CPasswordFile file(h.db, h.ui, h.fs, h.locale);
    ASSERT_TRUE(file.SaveFile(walk));
    EXPECT_EQ(h.db.Folders[2].path, "Top~Child");
    EXPECT_EQ(h.db.Folders[3].path, longName);
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 3u);
    EXPECT_EQ(h.db.Folders[0].path, "Top~Child");
    EXPECT_EQ(h.db.Folders[1].path, "Top");
    EXPECT_EQ(h.db.Folders[1].category, 2);
    EXPECT_EQ(h.db.Folders[2].path, longName.substr(0, 259));
}

TEST(PasswordFileFormatTest, NewFileHeaderIsEmptyOrReminderAndVerifier) {
    FileHarness h;
    CPasswordFile plain(h.db, h.ui, h.fs, h.locale);
    ASSERT_TRUE(plain.WriteHeader());
    EXPECT_TRUE(h.Bytes().empty());
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.db.FileLoaded, 1);
    EXPECT_EQ(h.db.EncryptFiles, 0);

    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "new";
    h.db.ReminderPhrase = "hint";
    CPasswordFile protectedFile(h.db, h.ui, h.fs, h.locale);
    ASSERT_TRUE(protectedFile.WriteHeader());
    EXPECT_EQ(h.Bytes().size(), 120u);
    ASSERT_TRUE(h.Load("new"));
    EXPECT_EQ(h.db.FileLoaded, 1);
    EXPECT_EQ(h.db.EncryptFiles, 1);
    EXPECT_EQ(h.db.ReminderPhrase, "hint");
    EXPECT_TRUE(h.db.Folders.empty());
    EXPECT_TRUE(h.ui.asked.empty());
}

TEST(PasswordFileFormatTest, ProtectionWithEmptyPasswordWritesHeaderButPlainStrings) {
    FileHarness h;
    h.db.EncryptFiles = 1;
    AddFolder(h.db, "Plain", 1);
    ASSERT_TRUE(h.Save());
    FileBytes expected;
    expected.Version("7").Tag('P').Block("", 32).Tag('M');
    const Verifier verifier = MakeVerifier("");
    expected.bytes().insert(expected.bytes().end(), verifier.begin(), verifier.end());
    expected.Tag('F').String("Plain").Int(1);
    EXPECT_EQ(h.Bytes(), expected.bytes());
    ASSERT_TRUE(h.Load(""));
    EXPECT_TRUE(h.ui.asked.empty());
    EXPECT_EQ(h.db.EncryptFiles, 1);
    EXPECT_EQ(h.db.Folders[0].path, "Plain");
}

TEST(PasswordFileFormatTest, EveryKindOfItemSurvivesARoundTrip) {
    for (const bool protect : {false, true}) {
        FileHarness h;
        h.db.EncryptFiles = protect ? 1 : 0;
        h.db.MasterPassword = protect ? "Tr0ub4dor&3" : "";
        h.db.ReminderPhrase = protect ? std::string(31, 'r') : "";
        h.db.SearchFolderHistory = {"bank", "mail"};
        h.db.SearchItemHistory = {"visa"};
        h.db.IgnoredSites = {"example.com/login", "intranet/"};
        AddFolder(h.db, "Internet", kInternetCategory);
        AddFolder(h.db, "Internet~Shopping", 3);
        Record full;
        for (int i = 0; i < kFieldCount; ++i) {
            if (i != kDateAssigned && i != kDateExpires) {
                full.fields[static_cast<std::size_t>(i)] = std::string(static_cast<std::size_t>(i * 5), 'a' + static_cast<char>(i));
            }
        }
        full.fields[kNotes] = "{\\rtf1 Notes \\b bold\\b0\\par}";
        full.fields[kPassword] = "p\xE4ss\x80word";
        full.dateAssigned = {2023, 7, 1, 3, 8, 30, 0, 0};
        full.dateExpires = {2023, 10, 0, 1, 8, 30, 0, 0};
        FormField field;
        field.type = kPasswordInput;
        field.name = "pwd";
        field.value = "secret";
        field.checkState = 1;
        field.column = kPassword;
        field.formIndex = 2;
        field.submittedForm = 3;
        field.autoSubmit = 1;
        full.formData = {field, FormField()};
        h.db.Folders[1].records.write() = {full, Record(), MakeRecord("second")};
        const PasswordDatabase saved = h.db;
        ASSERT_TRUE(h.Save());
        ASSERT_TRUE(h.Load(std::string(saved.MasterPassword.view())));
        EXPECT_EQ(h.version, "7");
        EXPECT_EQ(h.db.Folders, saved.Folders);
        EXPECT_EQ(h.db.SearchFolderHistory, saved.SearchFolderHistory);
        EXPECT_EQ(h.db.SearchItemHistory, saved.SearchItemHistory);
        EXPECT_EQ(h.db.IgnoredSites, saved.IgnoredSites);
        EXPECT_EQ(h.db.ReminderPhrase, saved.ReminderPhrase);
        EXPECT_EQ(h.db.EncryptFiles, saved.EncryptFiles);
        EXPECT_EQ(h.db.FileLoaded, 1);
        EXPECT_TRUE(h.ui.messages.empty());
    }
}

TEST(PasswordFileFormatTest, KeyingOnceGivesTheSameBytesAsKeyingEveryString) {
    FileHarness h;
    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "same bytes";
    h.db.SearchItemHistory = {"one", "two"};
    for (int f = 0; f < 3; ++f) {
        const int index = AddFolder(h.db, "F" + std::to_string(f), 1);
        std::vector<Record>& records = h.db.Folders[static_cast<std::size_t>(index)].records.write();
        for (int r = 0; r < 4; ++r) records.push_back(MakeRecord("r" + std::to_string(r)));
    }
    ASSERT_TRUE(h.Save(KeyingPolicy::OncePerKey));
    const std::vector<unsigned char> once = h.Bytes();
    ASSERT_TRUE(h.Save(KeyingPolicy::EveryUse));
    EXPECT_EQ(h.Bytes(), once);
}

TEST(PasswordFileFormatTest, EmptyFileIsAnEmptyUnprotectedDatabase) {
    FileHarness h;
    h.Put({});
    h.db.EncryptFiles = 1;
    ASSERT_TRUE(h.Load("left over"));
    EXPECT_EQ(h.db.FileLoaded, 1);
    EXPECT_EQ(h.db.EncryptFiles, 0);
    EXPECT_TRUE(h.db.Folders.empty());
}

TEST(PasswordFileFormatTest, EndItemStopsReadingEvenBeforeMoreData) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("7").Tag('F').String("Kept").Int(1).Tag('X').Tag('Q').Int(1);
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 1u);
    EXPECT_TRUE(h.ui.messages.empty());
}

TEST(PasswordFileFormatTest, UnknownTagAndRecordWithoutFolderAreRefused) {
    FileHarness h;
    FileBytes unknown;
    unknown.Version("7").Tag('F').String("Seen").Int(1).Tag('Q');
    h.Put(unknown.bytes());
    EXPECT_FALSE(h.Load());
    EXPECT_EQ(h.db.FileLoaded, 0);
    EXPECT_EQ(h.db.Folders.size(), 1u);  // what was read stays
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0], "Unknown data type in file.");

    // A record before any folder is not read: its field count is taken as a tag.
    FileBytes orphan;
    orphan.Version("7").Tag('R').Int(14);
    h.Put(orphan.bytes());
    h.ui.messages.clear();
    EXPECT_FALSE(h.Load());
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0], "Unknown data type in file.");
}

TEST(PasswordFileFormatTest, FormDataWithoutARecordIsReadAndDropped) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("7").Tag('F').String("Empty").Int(1);
    bytes.Tag('D').Int(1).Int(1).String("user").String("me").Int(0).Int(-1).Int(-1).String("").Int(0).Int(1);
    bytes.Tag('F').String("Next").Int(1);
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 2u);
    EXPECT_TRUE(h.db.Folders[0].records.empty());
    EXPECT_EQ(h.ui.maxWaitDepth, 1);
    EXPECT_EQ(h.ui.waitDepth, 0);
}

TEST(PasswordFileFormatTest, UnknownVersionIsRefusedNamingTheFile) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("8");
    h.Put(bytes.bytes());
    EXPECT_FALSE(h.Load());
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0],
              "\nInvalid version number in file:\n\nC:\\Data\\Secrets.kv\n\nYou may need a newer "
              "version of this utility to read this password file.");
}

TEST(PasswordFileFormatTest, MissingFileShowsTheOpenErrorWithTheSystemText) {
    FileHarness h;
    h.db.FilePath = "C:\\nowhere.kv";
    EXPECT_FALSE(h.Load());
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0],
              "Error: Can't open the source file for reading.\nPlease select a different file, or "
              "create a new file, from the Editor window.\n\n\nThe system cannot find the file "
              "specified. \n\nFilename: C:\\nowhere.kv");
    h.db.FilePath.clear();
    h.ui.messages.clear();
    EXPECT_FALSE(h.Load());
    EXPECT_TRUE(h.ui.messages.empty());
}

}  // namespace
}  // namespace kv
