#include "protocol/CopyDataRecord.h"

#include <algorithm>
#include <cstring>

namespace kv::protocol {
namespace {

struct CopyDataLayout {
    std::uint32_t kind;
    char address[kCopyDataAddressSize];
    std::uint32_t browserWindow;
    std::uint32_t dialogWindow;
    std::uint32_t unused;
};
static_assert(sizeof(CopyDataLayout) == kCopyDataSize);
static_assert(offsetof(CopyDataLayout, kind) == 0);
static_assert(offsetof(CopyDataLayout, address) == 4);
static_assert(offsetof(CopyDataLayout, browserWindow) == 516);
static_assert(offsetof(CopyDataLayout, dialogWindow) == 520);
static_assert(offsetof(CopyDataLayout, unused) == 524);

}  // namespace

void EncodeCopyData(const CopyDataRecord& record, unsigned char (&bytes)[kCopyDataSize]) {
    CopyDataLayout layout{};
    layout.kind = static_cast<std::uint32_t>(record.kind);
    std::memcpy(layout.address, record.address.data(), std::min(record.address.size(), kCopyDataAddressSize));
    layout.browserWindow = record.browserWindow;
    layout.dialogWindow = record.dialogWindow;
    std::memcpy(bytes, &layout, kCopyDataSize);
}

std::optional<CopyDataRecord> DecodeCopyData(const void* bytes, std::size_t size) {
    if (bytes == nullptr || size != kCopyDataSize) return std::nullopt;
    CopyDataLayout layout;
    std::memcpy(&layout, bytes, kCopyDataSize);
    if (layout.kind > static_cast<std::uint32_t>(CopyDataKind::ContextMenu)) return std::nullopt;
    CopyDataRecord record;
    record.kind = static_cast<CopyDataKind>(layout.kind);
    const void* end = std::memchr(layout.address, 0, kCopyDataAddressSize);
    const std::size_t length =
        end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - layout.address) : kCopyDataAddressSize;
    record.address.assign(layout.address, length);
    record.browserWindow = layout.browserWindow;
    record.dialogWindow = layout.dialogWindow;
    return record;
}

}  // namespace kv::protocol
