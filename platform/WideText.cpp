#include "platform/WideText.h"

#include <algorithm>

namespace kv {

std::optional<WipedWide> Widen(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty()) return WipedWide();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    // Always on the heap, where the allocator wipes it: the string's inline
    // buffer would be left on the stack as it is.
    constexpr std::size_t kBeyondInline = 16;
    WipedWide wide;
    wide.reserve(std::max<std::size_t>(static_cast<std::size_t>(length), kBeyondInline));
    wide.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

std::optional<SecretString> Narrow(UINT codePage, std::wstring_view wide, bool exact) {
    if (wide.empty()) return SecretString();
    const int size = static_cast<int>(wide.size());
    const DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = exact ? &usedDefault : nullptr;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0 || usedDefault) return std::nullopt;
    SecretString text = SecretString::WithCapacity(static_cast<std::size_t>(length));
    text.buffer().resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(codePage, flags, wide.data(), size, text.buffer().data(), length, nullptr, nullptr);
    return text;
}

}  // namespace kv
