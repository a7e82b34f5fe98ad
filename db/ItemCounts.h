// The numbers of folders and records that a password file announces by its
// items, found by walking their tags and lengths without decrypting or
// keeping anything, so that a load can size its arrays before filling them.
#pragma once

#include <cstddef>
#include <vector>

namespace kv {

struct ItemCounts {
    // The records of each folder item, in the order of the file.
    std::vector<std::size_t> recordsPerFolder;
};

// Stops at the first item it cannot walk (an unknown tag, a length beyond the
// end): the reader reports that one. Every count is bounded by the bytes the
// file has, as each counted item takes some of them.
ItemCounts CountItems(unsigned char* data, std::size_t size);

}  // namespace kv
