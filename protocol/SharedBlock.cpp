#include "protocol/SharedBlock.h"

#include <algorithm>
#include <cstring>

namespace kv::protocol {
namespace {

struct SiteEntryLayout {
    std::int32_t folder;
    std::int32_t record;
    char description[kSiteDescriptionSize];
};
static_assert(sizeof(SiteEntryLayout) == kSiteEntrySize);
static_assert(offsetof(SiteEntryLayout, folder) == 0);
static_assert(offsetof(SiteEntryLayout, record) == 4);
static_assert(offsetof(SiteEntryLayout, description) == 8);
static_assert(kMaxSiteEntries == 170);

}  // namespace

std::size_t WriteSiteEntries(unsigned char (&block)[kSharedBlockSize], const std::vector<SiteEntry>& entries) {
    std::memset(block, 0, kSharedBlockSize);
    std::size_t written = 0;
    for (const SiteEntry& entry : entries) {
        if (written == kMaxSiteEntries || entry.description.empty() || entry.description[0] == '\0') break;
        SiteEntryLayout layout{};
        layout.folder = entry.folder;
        layout.record = entry.record;
        std::memcpy(layout.description, entry.description.data(),
                    std::min(entry.description.size(), kSiteDescriptionSize - 1));
        std::memcpy(block + written * kSiteEntrySize, &layout, kSiteEntrySize);
        ++written;
    }
    return written;
}

std::vector<SiteEntry> ReadSiteEntries(const unsigned char (&block)[kSharedBlockSize]) {
    std::vector<SiteEntry> entries;
    for (std::size_t offset = 0; offset + kSiteEntrySize <= kSharedBlockSize; offset += kSiteEntrySize) {
        SiteEntryLayout layout;
        std::memcpy(&layout, block + offset, kSiteEntrySize);
        const void* end = std::memchr(layout.description, 0, kSiteDescriptionSize);
        if (end == nullptr || layout.description[0] == '\0') break;
        const char* description = layout.description;
        entries.push_back({layout.folder, layout.record, std::string(description, static_cast<const char*>(end))});
    }
    return entries;
}

}  // namespace kv::protocol
