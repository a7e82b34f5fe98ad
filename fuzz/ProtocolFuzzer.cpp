// libFuzzer target: what another process hands the program and the browser
// helper, the WM_COPYDATA record and the shared block, must never crash or
// overrun their decoders, and what they decode must encode to the same again.
// The first byte chooses which one the rest is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "protocol/CopyDataRecord.h"
#include "protocol/SharedBlock.h"

namespace {

bool SameEntries(const std::vector<kv::protocol::SiteEntry>& a, const std::vector<kv::protocol::SiteEntry>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].folder != b[i].folder || a[i].record != b[i].record || a[i].description != b[i].description) return false;
    }
    return true;
}

void CheckCopyData(const std::uint8_t* data, std::size_t size) {
    const auto record = kv::protocol::DecodeCopyData(data, size);
    if (!record) return;
    unsigned char bytes[kv::protocol::kCopyDataSize];
    kv::protocol::EncodeCopyData(*record, bytes);
    const auto again = kv::protocol::DecodeCopyData(bytes, sizeof bytes);
    if (!again || again->kind != record->kind || again->address != record->address ||
        again->browserWindow != record->browserWindow || again->dialogWindow != record->dialogWindow) {
        std::abort();
    }
}

void CheckSharedBlock(const std::uint8_t* data, std::size_t size) {
    unsigned char block[kv::protocol::kSharedBlockSize] = {};
    std::memcpy(block, data, size < sizeof block ? size : sizeof block);
    const std::vector<kv::protocol::SiteEntry> entries = kv::protocol::ReadSiteEntries(block);
    unsigned char rewritten[kv::protocol::kSharedBlockSize];
    kv::protocol::WriteSiteEntries(rewritten, entries);
    if (!SameEntries(kv::protocol::ReadSiteEntries(rewritten), entries)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2 == 0) {
        CheckCopyData(data + 1, size - 1);
    } else {
        CheckSharedBlock(data + 1, size - 1);
    }
    return 0;
}
