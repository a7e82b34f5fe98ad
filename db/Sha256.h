// SHA-256, for keeping a digest of a secret instead of a second plain copy.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kv {

using Sha256Digest = std::array<unsigned char, 32>;

Sha256Digest Sha256(std::string_view data);

}  // namespace kv
