#include "db/ItemCounts.h"

#include <cstdint>
#include <string>

#include "db/ByteStream.h"
#include "db/FileLayout.h"
#include "db/PasswordFile.h"

namespace kv {
namespace {

class Walker {
public:
    Walker(unsigned char* data, std::size_t size) : in_(data, size) {}

    ItemCounts Walk() {
        ItemCounts counts;
        std::int32_t tag = 0;
        while (!in_.AtEnd() && in_.ReadInt32(tag) && tag != kTagEnd) {
            if (!Item(tag, counts)) break;
        }
        return counts;
    }

private:
    bool Item(std::int32_t tag, ItemCounts& counts) {
        switch (tag) {
            case kTagVersion: {
                const unsigned char* bytes = in_.Take(4);
                if (bytes == nullptr) return false;
                version_ = TextOf(bytes, 4);
                return true;
            }
            case kTagReminder: return Skip(kReminderSize);
            case kTagVerifier: return Skip(kVerifierSize);
            case kTagSearchFolders:
            case kTagSearchItems: return Skip(kHistoryEntrySize);
            case kTagIgnoredSite: return SkipString();
            case kTagFolder:
                counts.recordsPerFolder.push_back(0);
                if (HasLegacyFolders(version_)) return Skip(kLegacyFolderSize);
                return SkipString() && Skip(4);
            case kTagRecord:
                // Without a folder the record's first bytes are the next tag.
                if (counts.recordsPerFolder.empty()) return true;
                ++counts.recordsPerFolder.back();
                return SkipRecord();
            case kTagDataForm: return SkipFormData();
            default: return false;
        }
    }

    bool SkipRecord() {
        if (HasLegacyRecords(version_)) return Skip(kLegacyRecordSize);
        std::int32_t count = 0;
        if (!in_.ReadInt32(count) || count != kRecordFieldCount) return false;
        const bool datesAsText = HasDatesAsText(version_);
        for (int field = 0; field < kFieldCount; ++field) {
            const bool date = field == kDateAssigned || field == kDateExpires;
            if (!(date && !datesAsText ? Skip(sizeof(SystemTime)) : SkipString())) return false;
        }
        return true;
    }

    bool SkipFormData() {
        std::int32_t count = 0;
        if (!in_.ReadInt32(count) || count < 0) return false;
        for (std::int32_t i = 0; i < count; ++i) {
            // type, name, value, three numbers, reserved2, two numbers
            if (!(Skip(4) && SkipString() && SkipString() && Skip(12) && SkipString() && Skip(8))) return false;
        }
        return true;
    }

    bool SkipString() {
        std::int32_t length = 0;
        return in_.ReadInt32(length) && length >= 0 && Skip(static_cast<std::size_t>(length));
    }

    bool Skip(std::size_t size) { return in_.Take(size) != nullptr; }

    ByteReader in_;
    std::string version_;
};

}  // namespace

ItemCounts CountItems(unsigned char* data, std::size_t size) { return Walker(data, size).Walk(); }

}  // namespace kv
