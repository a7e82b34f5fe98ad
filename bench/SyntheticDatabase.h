// Synthetic password databases of any size, the same for the same seed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "db/Database.h"

namespace kv::bench {

// `records` records in folders of about a hundred, a quarter of them in
// sub-folders, with field lengths and form data as real files have them.
PasswordDatabase MakeSyntheticDatabase(std::size_t records, std::uint32_t seed = 1);

// The bytes that protection encrypts in the file of this database: every
// string's padded length and every history entry.
std::size_t EncryptedBytes(const PasswordDatabase& db);

}  // namespace kv::bench
