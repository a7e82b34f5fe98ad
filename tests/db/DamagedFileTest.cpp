// Damaged files are refused with a message and never saved over.
#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/FileHarness.h"

namespace kv {
namespace {

using test::FileBytes;
using test::FileHarness;

void ExpectDamaged(FileHarness& h, const std::string& detail) {
    h.ui.messages.clear();
    EXPECT_FALSE(h.Load());
    EXPECT_EQ(h.db.FileLoaded, 0);
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0], "Error: The file is damaged and cannot be read.\n\n\n" + detail +
                                    "\n\nFilename: C:\\Data\\Secrets.kv");
}

FileBytes FolderFile() {
    FileBytes bytes;
    bytes.Version("7").Tag('F').String("Folder").Int(1);
    return bytes;
}

TEST(DamagedFileTest, FileEndingInsideAnItem) {
    FileHarness h;
    FileBytes bytes = FolderFile();
    bytes.bytes().resize(bytes.bytes().size() - 2);
    h.Put(bytes.bytes());
    ExpectDamaged(h, "The file ends inside an item.");

    FileBytes partialTag = FolderFile();
    partialTag.bytes().push_back('F');
    h.Put(partialTag.bytes());
    ExpectDamaged(h, "The file ends inside an item.");
}

TEST(DamagedFileTest, LengthPrefixBeyondTheFile) {
    FileHarness h;
    FileBytes bytes;
    bytes.Version("7").Tag('I').Int(0x7FFFFFF8).Block("", 8);
    h.Put(bytes.bytes());
    ExpectDamaged(h, "A string claims 2147483640 bytes, but 8 bytes are left in the file.");

    FileBytes negative;
    negative.Version("7").Tag('F').Int(-8).Block("", 8);
    h.Put(negative.bytes());
    ExpectDamaged(h, "A string claims -8 bytes, but 8 bytes are left in the file.");
}

TEST(DamagedFileTest, RecordFieldCountOtherThanFourteen) {
    for (const std::int32_t count : {13, 15, 0, -1}) {
        FileHarness h;
        FileBytes bytes = FolderFile();
        bytes.Tag('R').Int(count);
        for (int i = 0; i < 15; ++i) bytes.String("x");
        h.Put(bytes.bytes());
        ExpectDamaged(h, "A record has " + std::to_string(count) + " fields instead of 14.");
        EXPECT_EQ(h.db.Folders.size(), 1u);
    }
}

TEST(DamagedFileTest, NegativeOrOversizedFormDataCount) {
    FileHarness h;
    FileBytes negative = FolderFile();
    negative.Tag('D').Int(-1);
    h.Put(negative.bytes());
    ExpectDamaged(h, "A form data item has a negative count.");

    FileBytes huge = FolderFile();
    huge.Tag('D').Int(0x7FFFFFFF).Int(1);
    h.Put(huge.bytes());
    ExpectDamaged(h, "A form data item claims 2147483647 fields, but 4 bytes are left in the file.");
}

TEST(DamagedFileTest, EveryTruncationIsEitherAnItemBoundaryOrRefused) {
    FileHarness h;
    h.db.EncryptFiles = 1;
    h.db.MasterPassword = "pw";
    h.db.SearchFolderHistory = {"s"};
    h.db.IgnoredSites = {"site"};
    AddFolder(h.db, "F", 1);
    Record record;
    record.fields[kDescription] = "d";
    record.formData.resize(1);
    h.db.Folders[0].records.write() = {record};
    ASSERT_TRUE(h.Save());
    const std::vector<unsigned char> whole = h.Bytes();
    int complete = 0;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        h.Put(std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<long>(length)));
        h.ui.messages.clear();
        const bool loaded = h.Load("pw");
        if (loaded) {
            ++complete;
            EXPECT_TRUE(h.ui.messages.empty());
        } else {
            EXPECT_EQ(h.ui.messages.size(), 1u) << length;
        }
    }
    // The item boundaries: empty file, after V, P, M, S, I, F and R.
    EXPECT_EQ(complete, 8);
}

}  // namespace
}  // namespace kv
