// The shared-memory block "KELVANDOR_MEMMAP" in which the main program lists
// the records of a site for the browser helper: 8192 bytes of 48-byte
// entries, ended by the first entry whose description is empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv::protocol {

inline constexpr char kSharedBlockName[] = "KELVANDOR_MEMMAP";
inline constexpr char kSharedBlockMutexName[] = "KELVANDOR 2A4F4F41-2FC1-11D2-8E53-006008A82731";

constexpr std::size_t kSharedBlockSize = 8192;
constexpr std::size_t kSiteEntrySize = 48;
constexpr std::size_t kSiteDescriptionSize = 40;  // at most 39 characters and a zero
// Entries are added while all of them stay below the block's size.
constexpr std::size_t kMaxSiteEntries = (kSharedBlockSize - 1) / kSiteEntrySize;

struct SiteEntry {
    std::int32_t folder = 0;
    std::int32_t record = 0;
    std::string description;  // ANSI
};

// Clears the whole block, then writes the entries in order, each description
// cut to 39 characters; stops at the block's room (170 entries) and at an
// entry with an empty description, which would end the list. Returns how many it wrote.
std::size_t WriteSiteEntries(unsigned char (&block)[kSharedBlockSize], const std::vector<SiteEntry>& entries);

// The entries up to the first with an empty description. An entry whose
// description has no zero inside its 40 bytes is damaged and ends the list.
std::vector<SiteEntry> ReadSiteEntries(const unsigned char (&block)[kSharedBlockSize]);

}  // namespace kv::protocol
