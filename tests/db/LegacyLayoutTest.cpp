// Files of the versions "3" to "6", and files without a version, built by hand.
#include <gtest/gtest.h>

#include "db/Blowfish.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileHarness.h"

namespace kv {
namespace {

using test::FileBytes;
using test::FileHarness;

const SystemTime kAssigned{2001, 5, 2, 16, 9, 0, 0, 0};
const SystemTime kExpires{2002, 5, 4, 16, 0, 0, 0, 0};

FileBytes& LegacyFolder(FileBytes& bytes, const std::string& path, std::int32_t category) {
    return bytes.Tag('F').Block(path, 260).Int(category);
}

// The 1736-byte record block; `email` and `url` go to the offsets 360 and 424.
std::vector<unsigned char> LegacyRecordBlock(const std::string& email, const std::string& url) {
    FileBytes block;
    block.Block("Description", 32).Block("Password", 64).Block("Username", 32).Block("Title", 32);
    block.Block("Serial", 64).Block("4111", 24).Block("Bank", 32).Block("Account", 32);
    block.Block("555-0100", 24).Block("5/16/2001", 12).Block("5/16/2002", 12);
    block.Block(email, 64).Block(url, 256).Block("Notes", 1024).Date(kAssigned).Date(kExpires);
    return block.bytes();
}

void AppendLegacyRecord(FileBytes& bytes, std::vector<unsigned char> block, const char* password = nullptr) {
    if (password != nullptr) CBlowfish(password).EncryptBuffer(block.data(), block.size());
    bytes.Tag('R');
    bytes.bytes().insert(bytes.bytes().end(), block.begin(), block.end());
}

void ExpectLegacyRecord(const Record& record, const std::string& email, const std::string& url) {
    EXPECT_EQ(record.fields[kDescription], "Description");
    EXPECT_EQ(record.fields[kUsername], "Username");
    EXPECT_EQ(record.fields[kPassword], "Password");
    EXPECT_EQ(record.fields[kTitle], "Title");
    EXPECT_EQ(record.fields[kSerialNumber], "Serial");
    EXPECT_EQ(record.fields[kCreditCard], "4111");
    EXPECT_EQ(record.fields[kBank], "Bank");
    EXPECT_EQ(record.fields[kAccount], "Account");
    EXPECT_EQ(record.fields[kPhone], "555-0100");
    EXPECT_EQ(record.fields[kEmail], email);
    EXPECT_EQ(record.fields[kUrl], url);
    EXPECT_EQ(record.fields[kNotes], "Notes");
    EXPECT_EQ(record.dateAssigned, kAssigned);
    EXPECT_EQ(record.dateExpires, kExpires);
    // The text slots show the dates in the user's format.
    EXPECT_EQ(record.fields[kDateAssigned], "5/16/2001");
    EXPECT_EQ(record.fields[kDateExpires], "5/16/2002");
}

TEST(LegacyLayoutTest, VersionFourReadsBlocksInPlace) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("4");
    LegacyFolder(bytes, "Internet~Mail", 2);
    AppendLegacyRecord(bytes, LegacyRecordBlock("me@example.com", "https://example.com"));
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.db.Folders.size(), 1u);
    EXPECT_EQ(h.db.Folders[0].path, "Internet~Mail");
    EXPECT_EQ(h.db.Folders[0].category, 2);
    ASSERT_EQ(h.db.Folders[0].records.size(), 1u);
    ExpectLegacyRecord(h.db.Folders[0].records[0], "me@example.com", "https://example.com");
}

TEST(LegacyLayoutTest, VersionThreeAndUntaggedFilesExchangeEmailAndAddress) {
    for (const char* version : {"3", ""}) {
        FileHarness h;
        FileBytes bytes;
        if (*version != '\0') bytes.Version(version);
        LegacyFolder(bytes, "Old", 1);
        AppendLegacyRecord(bytes, LegacyRecordBlock("64-byte slot", "256-byte slot"));
        h.Put(bytes.bytes());
        ASSERT_TRUE(h.Load()) << version;
        EXPECT_EQ(h.version, version);
        ExpectLegacyRecord(h.db.Folders[0].records[0], "256-byte slot", "64-byte slot");
    }
}

TEST(LegacyLayoutTest, ProtectedLegacyRecordIsDecryptedAsOneBlock) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("4").Tag('P').Block("", 32).Tag('M');
    const Verifier verifier = MakeVerifier("old");
    bytes.bytes().insert(bytes.bytes().end(), verifier.begin(), verifier.end());
    LegacyFolder(bytes, "Plain folder block", 1);
    AppendLegacyRecord(bytes, LegacyRecordBlock("e", "u"), "old");
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load("old"));
    EXPECT_EQ(h.db.Folders[0].path, "Plain folder block");
    ExpectLegacyRecord(h.db.Folders[0].records[0], "e", "u");
}

TEST(LegacyLayoutTest, LegacyFolderPathStopsAtByte259) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("5");
    LegacyFolder(bytes, std::string(260, 'x'), 3);
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.db.Folders[0].path, std::string(259, 'x'));
    EXPECT_EQ(h.db.Folders[0].category, 3);
}

FileBytes& TaggedRecordWithTextDates(FileBytes& bytes) {
    bytes.Tag('R').Int(14);
    for (int i = 0; i < kFieldCount; ++i) {
        bytes.String(i == kDateAssigned || i == kDateExpires ? "1/2/2003" : "v" + std::to_string(i));
    }
    return bytes;
}

TEST(LegacyLayoutTest, VersionsFiveAndSixDropDateTexts) {
    for (const char* version : {"5", "6"}) {
        FileHarness h;
        FileBytes bytes;
        bytes.Version(version);
        if (std::string(version) == "5") {
            LegacyFolder(bytes, "Five", 4);
        } else {
            bytes.Tag('F').String("Six").Int(4);
        }
        TaggedRecordWithTextDates(bytes);
        h.Put(bytes.bytes());
        ASSERT_TRUE(h.Load()) << version;
        const Record& record = h.db.Folders[0].records[0];
        EXPECT_EQ(record.fields[kDescription], "v0");
        EXPECT_EQ(record.fields[kNotes], "v13");
        EXPECT_FALSE(IsDateSet(record.dateAssigned));
        EXPECT_FALSE(IsDateSet(record.dateExpires));
        EXPECT_EQ(record.fields[kDateAssigned], "");
    }
}

TEST(LegacyLayoutTest, SavingAnOlderFileWritesVersionSeven) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("6").Tag('F').String("Six").Int(1);
    TaggedRecordWithTextDates(bytes);
    h.Put(bytes.bytes());
    ASSERT_TRUE(h.Load());
    ASSERT_TRUE(h.Save());
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.version, "7");
    EXPECT_EQ(h.db.Folders[0].records[0].fields[kUrl], "v12");
}

}  // namespace
}  // namespace kv
