#include "uikit/MessageParams.h"

namespace ui {
namespace {

bool Readable(const void* address, SIZE_T size) {
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(address, &region, sizeof region) != sizeof region) return false;
    if (region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0) return false;
    const auto start = reinterpret_cast<ULONG_PTR>(address);
    const auto end = reinterpret_cast<ULONG_PTR>(region.BaseAddress) + region.RegionSize;
    return start <= end && end - start >= size;
}

}  // namespace

NMHDR* TrustedNotifyHeader(LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || !Readable(header, sizeof *header)) return nullptr;
    // The controls that notify us are windows of the thread that handles the notification.
    if (!IsWindow(header->hwndFrom) || GetWindowThreadProcessId(header->hwndFrom, nullptr) != GetCurrentThreadId()) {
        return nullptr;
    }
    return header;
}

}  // namespace ui
