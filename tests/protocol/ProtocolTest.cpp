// The WM_COPYDATA record and the shared block, byte for byte as both
// processes read them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/CopyDataRecord.h"
#include "protocol/MessageNames.h"
#include "protocol/SharedBlock.h"

namespace kv::protocol {
namespace {

std::uint32_t NumberAt(const unsigned char* bytes, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

TEST(CopyDataRecordTest, FieldsStandAtTheirOffsets) {
    unsigned char bytes[kCopyDataSize];
    std::memset(bytes, 0xCC, sizeof bytes);
    EncodeCopyData({CopyDataKind::ContextMenu, "http://example.com/", 0x12345678u, 0x9ABCDEF0u}, bytes);
    EXPECT_EQ(NumberAt(bytes, 0), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 4)), "http://example.com/");
    EXPECT_EQ(NumberAt(bytes, 516), 0x12345678u);
    EXPECT_EQ(NumberAt(bytes, 520), 0x9ABCDEF0u);
    EXPECT_EQ(NumberAt(bytes, 524), 0u);
}

TEST(CopyDataRecordTest, ALongAddressIsCutTo512BytesAndReadBackWithoutATerminator) {
    unsigned char bytes[kCopyDataSize];
    const std::string address = "http://example.com/" + std::string(581, 'a');
    EncodeCopyData({CopyDataKind::AuthenticationDialog, address, 1, 2}, bytes);
    EXPECT_EQ(bytes[4 + 511], 'a');
    const auto record = DecodeCopyData(bytes, sizeof bytes);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->address, address.substr(0, 512));
    EXPECT_EQ(record->browserWindow, 1u);
    EXPECT_EQ(record->dialogWindow, 2u);
}

TEST(CopyDataRecordTest, OnlyA528ByteRecordOfAKnownKindIsRead) {
    unsigned char bytes[kCopyDataSize + 1] = {};
    EXPECT_TRUE(DecodeCopyData(bytes, kCopyDataSize));
    EXPECT_FALSE(DecodeCopyData(bytes, kCopyDataSize - 1));
    EXPECT_FALSE(DecodeCopyData(bytes, kCopyDataSize + 1));
    EXPECT_FALSE(DecodeCopyData(nullptr, kCopyDataSize));
    bytes[0] = 2;
    EXPECT_FALSE(DecodeCopyData(bytes, kCopyDataSize));
}

TEST(SharedBlockTest, EntriesStandEvery48BytesAndTheListEndsWithAZeroEntry) {
    unsigned char block[kSharedBlockSize];
    std::memset(block, 0xEE, sizeof block);
    ASSERT_EQ(WriteSiteEntries(block, {{3, 7, "Mail"}, {-1, 65535, std::string(60, 'x')}}), 2u);
    EXPECT_EQ(NumberAt(block, 0), 3u);
    EXPECT_EQ(NumberAt(block, 4), 7u);
    EXPECT_STREQ(reinterpret_cast<const char*>(block + 8), "Mail");
    EXPECT_EQ(NumberAt(block, 48), 0xFFFFFFFFu);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block + 56)), std::string(39, 'x'));
    for (std::size_t i = 96; i < kSharedBlockSize; ++i) ASSERT_EQ(block[i], 0) << i;

    const auto entries = ReadSiteEntries(block);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].folder, -1);
    EXPECT_EQ(entries[1].record, 65535);
    EXPECT_EQ(entries[1].description, std::string(39, 'x'));
}

TEST(SharedBlockTest, At170EntriesTheBlockIsFull) {
    std::vector<SiteEntry> many(171, SiteEntry{1, 2, "Site"});
    many[170].description = "The one too many";
    unsigned char block[kSharedBlockSize];
    EXPECT_EQ(WriteSiteEntries(block, many), 170u);
    const auto entries = ReadSiteEntries(block);
    ASSERT_EQ(entries.size(), 170u);
    EXPECT_EQ(entries.back().description, "Site");
}

TEST(SharedBlockTest, AnEntryWithAnEmptyDescriptionWouldEndTheListSoNothingAfterItIsWritten) {
    unsigned char block[kSharedBlockSize];
    EXPECT_EQ(WriteSiteEntries(block, {{0, 0, "One"}, {0, 1, ""}, {0, 2, "Three"}}), 1u);
    EXPECT_EQ(ReadSiteEntries(block).size(), 1u);
}

TEST(SharedBlockTest, ADescriptionWithoutItsZeroEndsTheList) {
    unsigned char block[kSharedBlockSize];
    WriteSiteEntries(block, {{0, 0, "One"}, {0, 1, "Two"}, {0, 2, "Three"}});
    std::memset(block + 48 + 8, 'y', kSiteDescriptionSize);
    const auto entries = ReadSiteEntries(block);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].description, "One");
}

TEST(MessageNamesTest, FillTargetsAndTheLockStatePackAsTheHelperReadsThem) {
    EXPECT_EQ(PackFillTarget(5, 9), 0x00090005u);
    EXPECT_EQ(FillFolder(PackFillTarget(5, 9)), 5u);
    EXPECT_EQ(FillRecord(PackFillTarget(5, 9)), 9u);
    EXPECT_EQ(LockItemState(true, false), 0u);
    EXPECT_EQ(LockItemState(false, false), 3u);
    EXPECT_EQ(LockItemState(true, true), 0x00080000u);
}

}  // namespace
}  // namespace kv::protocol
