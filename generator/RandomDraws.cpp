#include "generator/RandomSource.h"
#include "platform/SecureWipe.h"

namespace kv {

RandomDraws::~RandomDraws() { SecureWipe(buffer_.data(), buffer_.size()); }

std::uint32_t RandomDraws::Next32() {
    if (failed_) return 0;
    if (used_ + 4 > buffer_.size()) {
        if (!source_.Fill(buffer_.data(), buffer_.size())) {
            failed_ = true;
            return 0;
        }
        used_ = 0;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | buffer_[used_++];
    return value;
}

std::uint32_t RandomDraws::Below(std::uint32_t n) {
    if (n == 0) return 0;
    // Values from `limit` up would make the low remainders more likely than
    // the high ones; they are drawn again. `limit` is the largest multiple
    // of n that fits, so at most half of all values are ever refused.
    const std::uint64_t range = std::uint64_t{1} << 32;
    const std::uint64_t limit = range - range % n;
    for (;;) {
        const std::uint32_t value = Next32();
        if (failed_) return 0;
        if (value < limit) return value % n;
    }
}

}  // namespace kv
