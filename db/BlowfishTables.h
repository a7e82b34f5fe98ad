// The initial Blowfish subkeys and S-boxes: the fractional digits of pi.
#pragma once

#include <cstdint>

namespace kv {

extern const std::uint32_t kBlowfishInitialP[18];
extern const std::uint32_t kBlowfishInitialS[4][256];

}  // namespace kv
