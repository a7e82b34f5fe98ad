// A load gives the folder array and each folder's records their final size
// before it fills them: no array is grown one item at a time.
#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/FileHarness.h"
#include "tests/support/Records.h"

namespace kv {
namespace {

using test::FileBytes;
using test::FileHarness;

void ExpectExactlySized(const PasswordDatabase& db) {
    EXPECT_EQ(db.Folders.capacity(), db.Folders.size());
    for (const Folder& folder : db.Folders) {
        EXPECT_EQ(folder.records.read().capacity(), folder.records.size()) << folder.path;
    }
}

// Loads the file and checks that it read `folders` folders into arrays of their exact sizes.
void LoadExactlySized(FileHarness& h, std::size_t folders, const std::string& password = "") {
    ASSERT_TRUE(h.Load(password));
    ASSERT_EQ(h.db.Folders.size(), folders);
    ExpectExactlySized(h.db);
}

TEST(LoadSizingTest, CurrentLayoutSizesFoldersAndRecordsFromTheItems) {
    FileHarness h;
    const std::size_t counts[] = {3, 5, 0, 1, 6};
    for (std::size_t f = 0; f < std::size(counts); ++f) {
        const int index = AddFolder(h.db, "Folder " + std::to_string(f), 1);
        for (std::size_t r = 0; r < counts[f]; ++r) {
            Record record = test::LoginRecord("record " + std::to_string(r), "user", "secret");
            if (r == 1) {
                FormField field;
                field.type = kTextInput;
                field.value = "joe";
                record.formData.push_back(field);
            }
            h.db.Folders[static_cast<std::size_t>(index)].records.write().push_back(record);
        }
    }
    // Items of every other kind lie before the folders.
    h.db.SearchItemHistory = {"bank"};
    h.db.IgnoredSites = {"example.com"};
    h.db.MasterPassword = "key";
    h.db.EncryptFiles = 1;
    ASSERT_TRUE(h.Save());
    ASSERT_NO_FATAL_FAILURE(LoadExactlySized(h, std::size(counts), "key"));
    for (std::size_t f = 0; f < std::size(counts); ++f) EXPECT_EQ(h.db.Folders[f].records.size(), counts[f]);
    EXPECT_EQ(h.db.Folders[1].records[1].formData.size(), 1u);
}

TEST(LoadSizingTest, VersionSixWithDatesAsTextIsSized) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("6");
    for (int f = 0; f < 3; ++f) {
        bytes.Tag('F').String("Six " + std::to_string(f)).Int(1);
        for (int r = 0; r < 3; ++r) {
            bytes.Tag('R').Int(14);
            for (int field = 0; field < kFieldCount; ++field) bytes.String("v" + std::to_string(field));
        }
    }
    h.Put(bytes.bytes());
    ASSERT_NO_FATAL_FAILURE(LoadExactlySized(h, 3));
    EXPECT_EQ(h.db.Folders[2].records.size(), 3u);
    EXPECT_EQ(h.db.Folders[2].records[2].fields[kUrl], "v12");
}

TEST(LoadSizingTest, LegacyBlocksAreSized) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("4");
    for (int f = 0; f < 3; ++f) {
        bytes.Tag('F').Block("Four " + std::to_string(f), 260).Int(1);
        for (int r = 0; r < 5; ++r) bytes.Tag('R').Block("Legacy record", kLegacyRecordSize);
    }
    h.Put(bytes.bytes());
    ASSERT_NO_FATAL_FAILURE(LoadExactlySized(h, 3));
    EXPECT_EQ(h.db.Folders[1].records.size(), 5u);
    EXPECT_EQ(h.db.Folders[1].records[4].fields[kDescription], "Legacy record");
}

}  // namespace
}  // namespace kv
