// The fixed 1736-byte record block of the file versions "3" and "4".
#include "db/ByteStream.h"
#include "db/Database.h"
#include "db/PasswordFile.h"

namespace kv {
namespace {

struct LegacySlot {
    int field;
    std::size_t offset;
    std::size_t size;
};

// Where each text lives in the block; fields 9 and 10 are shown from the dates.
const LegacySlot kSlots[] = {
    {kDescription, 0, 32}, {kPassword, 32, 64},   {kUsername, 96, 32}, {kTitle, 128, 32},
    {kSerialNumber, 160, 64}, {kCreditCard, 224, 24}, {kBank, 248, 32}, {kAccount, 280, 32},
    {kPhone, 312, 24},     {kEmail, 360, 64},      {kUrl, 424, 256},    {kNotes, 680, 1024},
};
constexpr std::size_t kDateAssignedOffset = 1704;
constexpr std::size_t kDateExpiresOffset = 1720;

}  // namespace

bool CPasswordFile::ReadLegacyRecord(ByteReader& in, FileCipher& cipher, Record& record) {
    unsigned char* block = TakeBytes(in, kLegacyRecordSize);
    if (block == nullptr) return false;
    cipher.CryptFileData(block, kLegacyRecordSize, false);
    // Version "3" (and files without a version) kept fields 11 and 12 the other way round.
    const bool exchanged = version_ < "4";
    for (const LegacySlot& slot : kSlots) {
        int field = slot.field;
        if (exchanged && field == kEmail) field = kUrl;
        else if (exchanged && field == kUrl) field = kEmail;
        record.fields[static_cast<std::size_t>(field)] = TextOf(block + slot.offset, slot.size);
    }
    std::memcpy(&record.dateAssigned, block + kDateAssignedOffset, sizeof(SystemTime));
    std::memcpy(&record.dateExpires, block + kDateExpiresOffset, sizeof(SystemTime));
    UpdateDateTexts(record, locale_);
    return true;
}

}  // namespace kv
