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

TEST(LoadSizingTest, CurrentLayoutSizesFoldersAndRecordsFromTheItems) {
    FileHarness h;
    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "key";
    h.db.IgnoredSites = {"example.com"};
    h.db.SearchItemHistory = {"bank"};
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
    ASSERT_TRUE(h.Save());
    ASSERT_TRUE(h.Load("key"));
    ASSERT_EQ(h.db.Folders.size(), std::size(counts));
    for (std::size_t f = 0; f < std::size(counts); ++f) EXPECT_EQ(h.db.Folders[f].records.size(), counts[f]);
    EXPECT_EQ(h.db.Folders[1].records[1].formData.size(), 1u);
    ExpectExactlySized(h.db);
}

TEST(LoadSizingTest, OlderLayoutsAreSizedToo) {
    FileHarness six;
    FileBytes bytes;
    bytes.Version("6");
    for (int f = 0; f < 3; ++f) {
        bytes.Tag('F').String("Six " + std::to_string(f)).Int(1);
        for (int r = 0; r < 3; ++r) {
            bytes.Tag('R').Int(14);
            for (int field = 0; field < kFieldCount; ++field) bytes.String("v" + std::to_string(field));
        }
    }
    six.Put(bytes.bytes());
    ASSERT_TRUE(six.Load());
    ASSERT_EQ(six.db.Folders.size(), 3u);
    EXPECT_EQ(six.db.Folders[2].records.size(), 3u);
    EXPECT_EQ(six.db.Folders[2].records[2].fields[kUrl], "v12");
    ExpectExactlySized(six.db);

    FileHarness four;
    FileBytes legacy;
    legacy.Version("4");
    for (int f = 0; f < 3; ++f) {
        legacy.Tag('F').Block("Four " + std::to_string(f), 260).Int(1);
        for (int r = 0; r < 5; ++r) legacy.Tag('R').Block("Legacy record", kLegacyRecordSize);
    }
    four.Put(legacy.bytes());
    ASSERT_TRUE(four.Load());
    ASSERT_EQ(four.db.Folders.size(), 3u);
    EXPECT_EQ(four.db.Folders[1].records.size(), 5u);
    EXPECT_EQ(four.db.Folders[1].records[4].fields[kDescription], "Legacy record");
    ExpectExactlySized(four.db);
}

}  // namespace
}  // namespace kv
