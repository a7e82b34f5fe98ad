// The one WM_COPYDATA record the browser helper sends to the main window:
// 528 bytes, with the page address cut to 512 bytes and 32-bit window handles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kv::protocol {

constexpr std::size_t kCopyDataSize = 528;
constexpr std::size_t kCopyDataAddressSize = 512;

enum class CopyDataKind : std::uint32_t {
    AuthenticationDialog = 0,  // a browser authentication dialog is showing
    ContextMenu = 1,           // the helper's context menu is about to open
};

struct CopyDataRecord {
    CopyDataKind kind = CopyDataKind::AuthenticationDialog;
    std::string address;              // ANSI; at most 512 bytes travel
    std::uint32_t browserWindow = 0;  // the browser (kind 0) or the page pane (kind 1)
    std::uint32_t dialogWindow = 0;   // the authentication dialog; 0 for kind 1
};

// The bytes as they travel: kind at 0, address at 4 (not terminated when
// it fills the field), browser window at 516, dialog window at 520, 524 unset (zero).
void EncodeCopyData(const CopyDataRecord& record, unsigned char (&bytes)[kCopyDataSize]);

// Nothing unless exactly 528 bytes of a known kind arrived; the address ends
// at its first zero or after 512 bytes.
std::optional<CopyDataRecord> DecodeCopyData(const void* bytes, std::size_t size);

}  // namespace kv::protocol
